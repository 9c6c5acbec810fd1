#include "acquisition/import_dictionary_update.h"

#include <gtest/gtest.h>

#include "acquisition/zentak_file_source.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::CommaLine;
using testing::DictRecord;
using testing::Sjis;
using testing::TempDir;
using testing::WriteText;

DictionaryFileRecord RecordOf(const std::string& dicPath, int code) {
  DictionaryFileRecord rec;
  EXPECT_TRUE(ReadDictionaryRecord(dicPath, code, &rec));
  return rec;
}

TEST(ImportDictionaryUpdateTest, CodeMarketAndNameOfEachRecordGoIntoTheDictionary) {
  TempDir root;
  const std::string dic = DictionaryFilePath(root.path());
  DictionaryFileRecord toyota = DictRecord(7203, "トヨタ", 1, 17);
  SetFieldText(toyota.text1, "kept");
  toyota.figures[0] = 123.5;
  testing::WriteDictionaryFile(dic, {toyota, DictRecord(1301, "極洋", 1, 1)});
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, "20050512\r\nh\r\n" + CommaLine(7203, 2, "トヨタ自動車", 1, 1, 1, 1, 1) +
                       "\r\n" + CommaLine(4063, 258, "信越化学", 1, 1, 1, 1, 1) + "\r\n" +
                       "0,1,no code,1,1,1,1,1\r\n" + "1301\r\n");
  CZentakFileSource source;
  DictionaryUpdateCounts counts;
  std::string error;
  ASSERT_EQ(UpdateDictionaryFromImportFile(source, input, dic, &error, &counts), 1) << error;
  EXPECT_EQ(counts.lines, 4);
  EXPECT_EQ(counts.updated, 2);
  EXPECT_EQ(counts.skipped, 2);

  DictionaryFileRecord rec = RecordOf(dic, 7203);
  EXPECT_EQ(FieldText(rec.name), Sjis("トヨタ自動車"));
  EXPECT_EQ(rec.market, 2);
  EXPECT_EQ(rec.industry, 17);  // the rest of the record stays
  EXPECT_EQ(FieldText(rec.text1), "kept");
  EXPECT_EQ(rec.figures[0], 123.5);
  rec = RecordOf(dic, 4063);
  EXPECT_EQ(rec.code, 4063);
  EXPECT_EQ(rec.market, 2);                                      // the low byte of 258
  EXPECT_EQ(FieldText(RecordOf(dic, 1301).name), Sjis("極洋"));  // a line without a name
  // The input keeps its name: this update marks nothing done.
  EXPECT_TRUE(FileExists(input));
}

TEST(ImportDictionaryUpdateTest, AMissingDictionaryIsCreatedAndAForeignFileChangesNothing) {
  TempDir root;
  const std::string dic = DictionaryFilePath(root.path());
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, "no header here\r\n");
  CZentakFileSource source;
  std::string error;
  EXPECT_EQ(UpdateDictionaryFromImportFile(source, input, dic, &error), 0);
  EXPECT_EQ(error, input + " cannot open");
  EXPECT_FALSE(FileExists(dic));

  const std::string name40 = std::string(40, 'N') + "ABCDEFGHIJ";  // 50 bytes
  WriteText(input, "20050512\r\nh\r\n1301,1," + name40 + ",1,1,1,1,1\r\n");
  ASSERT_EQ(UpdateDictionaryFromImportFile(source, input, dic, &error), 1) << error;
  EXPECT_EQ(FileSize(dic), static_cast<int64_t>(kDictionaryFileSize));
  EXPECT_EQ(FieldText(RecordOf(dic, 1301).name), name40.substr(0, 47));
}

}  // namespace
}  // namespace korvale
