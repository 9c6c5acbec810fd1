#include "acquisition/host_import_source.h"

#include <cstring>

namespace korvale {

void CopyBounded(char* buffer, int capacity, const char* text) {
  if (capacity <= 0) return;
  const size_t n = strnlen(text, static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

bool ReadImportLine(CLineFile& file, char* line) {
  std::memset(line, 0, kImportLineBytes);
  const int result = ReadRecordLine(file, line, kImportLineBytes);
  // ReadLine leaves the bytes of a last line without a line break in the buffer. They are a
  // record like any other: the counts add one call for it, and a file whose last record were
  // dropped would still be marked done.
  return result != kNoLine || line[0] != '\0';
}

int DecimalOf(const char* text, int count) {
  int i = 0;
  while (i < count && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < count && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int value = 0;
  // Callers take at most a handful of characters, so the value cannot overflow; the bound keeps
  // it so for any count.
  for (; i < count && IsDigitByte(text[i]) && value < 100000000; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

int CHostImportSource::GetFileFilter(char* description, char* pattern) {
  CopyBounded(description, kImportFilterTextBytes, "株価ファイル");
  CopyBounded(pattern, kImportFilterTextBytes, "*.*");
  return 0;
}

bool CHostImportSource::ReadHeader(CLineFile&) { return true; }

bool CHostImportSource::SkipHeader(CLineFile& file) { return file.Seek(0); }

int CHostImportSource::CountRecords(CLineFile& file) {
  char line[kImportLineBytes];
  int n = 0;
  while (n < kImportMaxCountedLines && ReadImportLine(file, line)) ++n;
  return n;
}

int CHostImportSource::ReadRecord(CLineFile& file, int32_t*, char*, int32_t*, int32_t*, int32_t*,
                                  int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, int32_t*) {
  char line[kImportLineBytes];
  ReadImportLine(file, line);
  return 0;
}

}  // namespace korvale
