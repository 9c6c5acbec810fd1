// Builders for dictionary files and data-root trees used by the dictionary and list tests.
#ifndef KORVALE_TESTS_SUPPORT_DICTIONARY_FIXTURES_H_
#define KORVALE_TESTS_SUPPORT_DICTIONARY_FIXTURES_H_

#include <string>
#include <vector>

#include "store/dictionary_record.h"

namespace korvale::testing {

// A record for `code` with a name given in UTF-8 (stored as cp932).
DictionaryFileRecord DictRecord(int code, const std::string& nameUtf8, int market, int industry);

// Writes a full-size dictionary file (10,000 records) holding `records` at the slots of their
// codes, the other slots empty.
void WriteDictionaryFile(const std::string& path, const std::vector<DictionaryFileRecord>& records);

// Creates `root/relativePath` (and its folders) as an empty file; the scan looks at names only.
void TouchFile(const std::string& root, const std::string& relativePath);

// cp932 bytes of UTF-8 text, for comparing with what the store keeps.
std::string Sjis(const std::string& utf8);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_DICTIONARY_FIXTURES_H_
