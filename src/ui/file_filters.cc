#include "ui/file_filters.h"

#include <QStringList>

namespace korvale {

QString AnyCasePattern(const std::string& pattern) {
  QString out;
  for (QChar c : QString::fromStdString(pattern)) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      out += QString("[%1%2]").arg(c.toLower()).arg(c.toUpper());
    } else {
      out += c;
    }
  }
  return out;
}

QString DialogFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  const QString description = parts.value(0);
  QStringList patterns;
  for (const QString& p : parts.value(1).split(';', Qt::SkipEmptyParts)) {
    patterns << AnyCasePattern(p.trimmed().toStdString());
  }
  if (patterns.isEmpty()) patterns << "*";
  const QString joined = patterns.join(' ');
  // Qt takes the patterns from the last parentheses only when they hold ASCII characters;
  // otherwise it splits the whole filter at its spaces. A pattern such as "株価*" must then
  // stand as a word of its own to match anything.
  for (QChar c : joined) {
    if (c.unicode() > 0x7f) return QString("%1 %2").arg(description, joined);
  }
  return QString("%1 (%2)").arg(description, joined);
}

}  // namespace korvale
