#include "system/MusicTexts.h"

#include <QStringList>

namespace music {

namespace {

// "*.mid" -> "*.[mM][iI][dD]"; Qt's own dialog matches patterns case-sensitively on Linux.
QString AnyCase(const QString &pattern) {
  QString out;
  bool inClass = false;
  for (const QChar c : pattern) {
    if (c == '[')
      inClass = true;
    else if (c == ']')
      inClass = false;
    const bool letter = c.unicode() < 0x80 && c.isLetter();
    if (letter && !inClass)
      out += QString("[%1%2]").arg(c.toLower(), c.toUpper());
    else
      out += c;
  }
  return out;
}

} // namespace

QString DroppedExtension(const QString &fileName) {
  if (fileName.size() < 4)
    return {};
  return fileName.right(4).toUpper();
}

QString QtFileFilter(std::string_view pairs) {
  const QStringList parts = QString::fromUtf8(pairs.data(), static_cast<qsizetype>(pairs.size())).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString &pattern : parts[i + 1].split(';', Qt::SkipEmptyParts))
      patterns << AnyCase(pattern.trimmed());
    filters << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
  }
  return filters.join(";;");
}

std::string CdPositionText(int minutes, int seconds) {
  return std::to_string(minutes) + ":" + std::to_string(seconds / 10 % 10) + std::to_string(seconds % 10);
}

std::string CdStatusText(const std::string &track, const std::string &position) {
  return "<" + track + ">  " + position;
}

} // namespace music
