#include "acquisition/zentak_file_source.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "store/market_industry_tables.h"

namespace korvale {

namespace {

bool IsCommaForm(int form) { return form == kHeaderSixDigitDate || form == kHeaderEightDigitDate; }

// Lines of the header beyond the first: the eight- and six-digit forms have one more line, the
// quoted form three more and the named form four more (its date line among them).
int HeaderLines(int form) {
  switch (form) {
    case kHeaderQuoted:
      return 4;
    case kHeaderNamed:
      return 5;
    default:
      return 2;
  }
}

int MarketOfText(const char* text, size_t length) {
  for (int m = 0; m < kMarketCount; ++m) {
    const std::string& name = MarketName(m);
    if (name.size() == length && std::memcmp(name.data(), text, length) == 0) return m;
  }
  return 0;
}

// The tab form of a data line (quoted form when `quoted`): fills code, market, name and the
// five values.
void ParseTabLine(const char* line, bool quoted, int32_t* code, char* name, int32_t* market,
                  int32_t* open, int32_t* high, int32_t* low, int32_t* close, int32_t* volume) {
  *code = DecimalOf(line, 4);
  name[0] = '\0';
  *market = 0;
  const size_t length = std::strlen(line);
  if (length <= 5) return;
  const char* tab1 = static_cast<const char*>(std::memchr(line + 5, '\t', length - 5));
  if (!tab1) return;
  const char* marketText = line + 5 + (quoted ? 1 : 0);
  if (marketText <= tab1)
    *market = MarketOfText(marketText, static_cast<size_t>(tab1 - marketText));

  const char* nameStart = tab1 + 1;
  const char* lineEnd = line + length;
  const char* tab2 = static_cast<const char*>(
      std::memchr(nameStart, '\t', static_cast<size_t>(lineEnd - nameStart)));
  const char* nameEnd = tab2 ? tab2 : lineEnd;
  if (!tab2 && nameEnd > nameStart && nameEnd[-1] == '\r') --nameEnd;
  if (quoted) {
    // The quotes around the name.
    if (nameEnd - nameStart >= 2) {
      ++nameStart;
      --nameEnd;
    } else {
      nameEnd = nameStart;
    }
  }
  size_t n = static_cast<size_t>(nameEnd - nameStart);
  if (n > static_cast<size_t>(kImportNameCut)) n = kImportNameCut;
  std::memcpy(name, nameStart, n);
  name[n] = '\0';
  if (tab2) std::sscanf(tab2 + 1, "%d\t%d\t%d\t%d\t%d", open, high, low, close, volume);
}

}  // namespace

int CZentakFileSource::GetFileFilter(char* description, char* pattern) {
  CopyBounded(description, kImportFilterTextBytes, "Zentak Files");
  CopyBounded(pattern, kImportFilterTextBytes, "ds*.*;kd*");
  return 0;
}

bool CZentakFileSource::ReadHeader(CLineFile& file) {
  if (!file.Seek(0)) return false;
  char line[kImportLineBytes];
  if (!ReadImportLine(file, line)) return false;
  const int y = DecimalOf(line, 4);
  int extraLines = 1;
  if (IsDigitByte(line[6]) && y > 1970) {
    headerForm = kHeaderEightDigitDate;
    headerYear = DecimalOf(line, 4);
    headerMonth = DecimalOf(line + 4, 2);
    headerDay = DecimalOf(line + 6, 2);
  } else if (line[0] == '"') {
    headerForm = kHeaderQuoted;
    headerYear = DecimalOf(line + 1, 4);
    headerMonth = DecimalOf(line + 10, 2);
    headerDay = DecimalOf(line + 17, 2);
    extraLines = 3;
  } else if (std::memcmp(line, "Zentak", 6) == 0) {
    char second[kImportLineBytes];
    // Without a date on the second line the records would carry no date (or the previous
    // file's); such a file is not taken.
    if (!ReadImportLine(file, second) || !IsDigitByte(second[0]) || !IsDigitByte(second[3])) {
      return false;
    }
    headerForm = kHeaderNamed;
    headerYear = DecimalOf(second, 4);
    int shift = 0;
    if (second[10] == '\t') {
      headerMonth = DecimalOf(second + 7, 1);
      shift = -1;
    } else {
      headerMonth = DecimalOf(second + 7, 2);
    }
    headerDay = DecimalOf(second + 12 + shift, second[15 + shift] == '\t' ? 1 : 2);
    extraLines = 3;
  } else if (y > 0 && IsDigitByte(line[4]) && IsDigitByte(line[5])) {
    headerForm = kHeaderSixDigitDate;
    headerYear = 1900 + DecimalOf(line, 2);
    if (headerYear < 1970) headerYear += 100;
    headerMonth = DecimalOf(line + 2, 2);
    headerDay = DecimalOf(line + 4, 2);
  } else {
    return false;
  }
  for (int i = 0; i < extraLines; ++i) ReadImportLine(file, line);
  return true;
}

bool CZentakFileSource::SkipHeader(CLineFile& file) {
  if (!file.Seek(0)) return false;
  char line[kImportLineBytes];
  for (int i = HeaderLines(headerForm); i > 0; --i) ReadImportLine(file, line);
  return true;
}

int CZentakFileSource::CountRecords(CLineFile& file) {
  if (!SkipHeader(file)) return 0;
  char line[kImportLineBytes];
  int n = 0;
  while (n < kImportMaxCountedLines && ReadImportLine(file, line)) ++n;
  return n + 1;
}

int CZentakFileSource::ReadRecord(CLineFile& file, int32_t* code, char* name, int32_t* market,
                                  int32_t* year, int32_t* month, int32_t* day, int32_t* open,
                                  int32_t* high, int32_t* low, int32_t* close, int32_t* volume) {
  *open = *high = *low = *close = *volume = 0;
  *year = headerYear;
  *month = headerMonth;
  *day = headerDay;
  char line[kImportLineBytes];
  if (!ReadImportLine(file, line)) return 0;
  if (IsCommaForm(headerForm)) {
    // The line holds at most kImportLineBytes - 1 bytes, so the name always fits its buffer.
    std::sscanf(line, "%4d,%d,%255[^,],%d,%d,%d,%d,%d", code, market, name, open, high, low, close,
                volume);
  } else {
    ParseTabLine(line, headerForm == kHeaderQuoted, code, name, market, open, high, low, close,
                 volume);
  }
  return 0;
}

}  // namespace korvale
