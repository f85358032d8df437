#pragma once
// The folder the program runs from: the generated game folder itself, or a
// copy of its data files of the test's own; the current folder while it lives.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/TestPaths.h"

namespace testsupport {

// Copies the game folder's data files (not the program) into `to`, less `leaveOut`.
inline bool CopyGameFolder(const QString &to, const QStringList &leaveOut = {}) {
  const QDir from(testpaths::GameDir());
  for (const QString &name : from.entryList(QDir::Files))
    if (name != "MarvokZT" && !leaveOut.contains(name) && !QFile::copy(from.filePath(name), to + "/" + name))
      return false;
  return true;
}

class InFolder {
public:
  explicit InFolder(const QString &path = testpaths::GameDir()) { QDir::setCurrent(path); }
  ~InFolder() { QDir::setCurrent(previous_); }
  InFolder(const InFolder &) = delete;
  InFolder &operator=(const InFolder &) = delete;

private:
  QString previous_ = QDir::currentPath();
};

class GameFolderCopy {
public:
  explicit GameFolderCopy(const QStringList &leaveOut = {})
      : copied_(dir_.isValid() && CopyGameFolder(dir_.path(), leaveOut)) {}

  bool Copied() const { return copied_; }
  QString Path(const QString &name) const { return dir_.filePath(name); }
  QByteArray Read(const QString &name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
  }

private:
  QTemporaryDir dir_;
  bool copied_;
  InFolder in_{dir_.path()};
};

} // namespace testsupport
