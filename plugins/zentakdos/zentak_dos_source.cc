// The plug-in keeps its own copies of the few text helpers it needs: it links nothing of the
// program, and reads only through the CLineFile object the program hands it.
#include "zentak_dos_source.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace korvale {

namespace {

constexpr int kNameCut = 23;
constexpr int kHeaderLines = 2;

bool IsDigitByte(char c) { return c >= '0' && c <= '9'; }

void CopyBounded(char* buffer, int capacity, const char* text) {
  const size_t n = strnlen(text, static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

// The plain decimal value of the first `count` characters (leading blanks, a sign, digits).
int DecimalOf(const char* text, int count) {
  int i = 0;
  while (i < count && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < count && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int value = 0;
  for (; i < count && IsDigitByte(text[i]) && value < 100000000; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

// One line into a zero-filled buffer, so positions past the line read as 0; the rest of a line
// longer than the buffer is dropped, and a last line without a line break counts as a line.
// False when no line is left.
bool ReadOneLine(CLineFile& file, char* line) {
  std::memset(line, 0, kImportLineBytes);
  const int result = ReadRecordLine(file, line, kImportLineBytes);
  return result != kNoLine || line[0] != '\0';
}

}  // namespace

int CZentakDosSource::GetFileFilter(char* description, char* pattern) {
  CopyBounded(description, kImportFilterTextBytes, "ZentakDOSファイル");
  CopyBounded(pattern, kImportFilterTextBytes, "DS??????.??");
  return 0;
}

bool CZentakDosSource::ReadHeader(CLineFile& file) {
  if (!file.Seek(0)) return false;
  char line[kImportLineBytes];
  if (!ReadOneLine(file, line)) return false;
  if (!IsDigitByte(line[6]) || DecimalOf(line, 4) <= 1970) return false;
  headerYear = DecimalOf(line, 4);
  headerMonth = DecimalOf(line + 4, 2);
  headerDay = DecimalOf(line + 6, 2);
  ReadOneLine(file, line);
  return true;
}

bool CZentakDosSource::SkipHeader(CLineFile& file) {
  if (!file.Seek(0)) return false;
  char line[kImportLineBytes];
  for (int i = 0; i < kHeaderLines; ++i) ReadOneLine(file, line);
  return true;
}

int CZentakDosSource::CountRecords(CLineFile& file) {
  if (!SkipHeader(file)) return 0;
  char line[kImportLineBytes];
  int n = 0;
  while (n < kImportMaxCountedLines && ReadOneLine(file, line)) ++n;
  return n + 1;
}

int CZentakDosSource::ReadRecord(CLineFile& file, int32_t* code, char* name, int32_t* market,
                                 int32_t* year, int32_t* month, int32_t* day, int32_t* open,
                                 int32_t* high, int32_t* low, int32_t* close, int32_t* volume) {
  *open = *high = *low = *close = *volume = 0;
  *year = headerYear;
  *month = headerMonth;
  *day = headerDay;
  char line[kImportLineBytes];
  if (!ReadOneLine(file, line)) return 0;
  // The line is shorter than the name buffer, so the name always fits before it is cut.
  if (std::sscanf(line, "%4d,%d,%255[^,],%d,%d,%d,%d,%d", code, market, name, open, high, low,
                  close, volume) >= 3) {
    name[kNameCut < kImportNameBytes ? kNameCut : kImportNameBytes - 1] = '\0';
  }
  return 0;
}

}  // namespace korvale

// The library's one export.
extern "C" __attribute__((visibility("default"))) korvale::CImportSource* CreateXInputInstance() {
  return new (std::nothrow) korvale::CZentakDosSource;
}
