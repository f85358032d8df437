#pragma once
// Where tests find the sample files of tests/data and the generated game folder.
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace testpaths {

// A sample file's path (some tests name files that are missing on purpose); a
// missing sample folder fails the test that asked for it.
inline QString TestData(const QString &relative) {
  const QFileInfo path(QString(MARVOK_TESTDATA_DIR) + "/" + relative);
  EXPECT_TRUE(path.dir().exists()) << "sample files missing: " << path.path().toStdString();
  return path.filePath();
}

inline QString GameDir() { return QString(MARVOK_GAME_DIR); }

} // namespace testpaths
