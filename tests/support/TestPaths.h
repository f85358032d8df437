#pragma once
// Where tests find the shared sample files and the generated game folder.
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace testpaths {

inline QString TestData(const QString &relative) { return QString(MARVOK_TESTDATA_DIR) + "/" + relative; }

inline bool HaveTestData() { return QFileInfo(QString(MARVOK_TESTDATA_DIR)).isDir(); }

inline QString GameDir() { return QString(MARVOK_GAME_DIR); }

} // namespace testpaths

// Skips the current test when the shared sample files are not beside the project.
#define REQUIRE_TESTDATA()                                                                                   \
  do {                                                                                                       \
    if (!testpaths::HaveTestData())                                                                          \
      GTEST_SKIP() << "shared test data not present";                                                        \
  } while (0)
