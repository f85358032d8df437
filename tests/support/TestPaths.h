#pragma once
// Where tests find the sample files of tests/data and the generated game folder.
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace testpaths {

// A sample file's (or folder's) path. A sample that is missing fails the test
// that asked for it, so a test that expects a file to be refused cannot pass on
// its absence; names starting "missing-" stand for files absent on purpose.
inline QString TestData(const QString &relative) {
  const QFileInfo path(QString(MARVOK_TESTDATA_DIR) + "/" + relative);
  if (path.fileName().startsWith("missing-"))
    EXPECT_FALSE(path.exists()) << "meant to be missing: " << path.filePath().toStdString();
  else
    EXPECT_TRUE(path.exists()) << "sample file missing: " << path.filePath().toStdString();
  return path.filePath();
}

inline QString GameDir() { return QString(MARVOK_GAME_DIR); }

} // namespace testpaths
