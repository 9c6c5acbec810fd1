// Every fuzz target replays its seed corpus fuzz/corpus/<name> (the sample's files, the damaged
// files of past reports, and every input a fuzzer found crashing) under the sanitizers.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

#define KORVALE_FUZZ_TARGETS(X)                                                                  \
  X(analysis_cache) X(dictionary) X(dictionary_text) X(import_file) X(list_file)                 \
  X(maintenance_text) X(margin_file) X(margin_input) X(peer_list) X(price_file) X(rule_file)     \
  X(scrape_price_table) X(scrape_profile) X(scrape_quote) X(settings) X(trend_line) X(url_body)

#define KORVALE_DECLARE_TARGET(name) extern "C" int name##_fuzz(const uint8_t*, size_t);
KORVALE_FUZZ_TARGETS(KORVALE_DECLARE_TARGET)
#undef KORVALE_DECLARE_TARGET

namespace korvale {
namespace {

namespace fs = std::filesystem;

struct ReplayTarget {
  const char* name;
  int (*entry)(const uint8_t*, size_t);
};

#define KORVALE_TARGET_ENTRY(name) ReplayTarget{#name, name##_fuzz},
const ReplayTarget kTargets[] = {KORVALE_FUZZ_TARGETS(KORVALE_TARGET_ENTRY)};
#undef KORVALE_TARGET_ENTRY

const std::string kFuzzFolder = std::string(KORVALE_SOURCE_DIR) + "/fuzz";

class CorpusReplayTest : public ::testing::TestWithParam<ReplayTarget> {};

TEST_P(CorpusReplayTest, EveryInputOfTheCorpusRunsClean) {
  const fs::path corpus = kFuzzFolder + "/corpus/" + GetParam().name;
  int inputs = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    const std::vector<uint8_t> bytes = testing::ReadBytes(entry.path().string());
    GetParam().entry(bytes.data(), bytes.size());
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplayTest, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

// A target added without a corpus, or a corpus left without its target, is caught here.
TEST(CorpusReplayTest, EveryCorpusHasItsTargetAndTheTableNamesEveryTargetWithACorpus) {
  for (const fs::directory_entry& entry : fs::directory_iterator(kFuzzFolder + "/corpus")) {
    EXPECT_TRUE(fs::exists(kFuzzFolder + "/" + entry.path().filename().string() + "_fuzz.cc"))
        << entry.path();
  }
  for (const ReplayTarget& target : kTargets) {
    EXPECT_TRUE(fs::is_directory(kFuzzFolder + "/corpus/" + target.name)) << target.name;
  }
}

}  // namespace
}  // namespace korvale
