#include "support/analysis_fixtures.h"

#include "store/dictionary_file.h"
#include "support/dictionary_fixtures.h"

namespace korvale::testing {

std::unique_ptr<CStockDictionary> ListedRoot(const std::string& root,
                                             const std::vector<FixtureStock>& stocks) {
  std::vector<DictionaryFileRecord> records;
  for (const FixtureStock& s : stocks) {
    records.push_back(DictRecord(s.code, s.nameUtf8, s.market, 1));
    TouchFile(root, "Data/" + std::to_string(s.code / 1000 * 1000) + "/KD" +
                        std::to_string(s.code) + ".KDT");
  }
  WriteDictionaryFile(DictionaryFilePath(root), records);
  return std::make_unique<CStockDictionary>(root, root);
}

}  // namespace korvale::testing
