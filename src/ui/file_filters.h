// File-dialog filters written as the program's texts write them ("description|pattern;...||")
// turned into Qt's form, with patterns that match names in any case.
#ifndef KORVALE_UI_FILE_FILTERS_H_
#define KORVALE_UI_FILE_FILTERS_H_

#include <QString>
#include <string>

namespace korvale {

// A file pattern matching without regard to case, as the program's patterns are meant:
// "ds*.*" becomes "[dD][sS]*.*".
QString AnyCasePattern(const std::string& pattern);

// "株価データ Files (KD*.KDT)|kd*.kdt||" becomes "株価データ Files (KD*.KDT)
// ([kK][dD]*.[kK][dD][tT])": the description, then its patterns (separated by ';') in any case.
// Patterns with non-ASCII characters ("株価*") follow the description without parentheses, the
// form in which Qt's dialogs still match them.
QString DialogFilter(const std::string& filter);

}  // namespace korvale

#endif  // KORVALE_UI_FILE_FILTERS_H_
