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
  return QString("%1 (%2)").arg(description, patterns.join(' '));
}

}  // namespace korvale
