// libFuzzer target: the profile scraper on any page bytes. Its texts hold at most 254 bytes and
// no zero byte.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "acquisition/page_scrapers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvale::ProfileText profile;
  korvale::ScrapeProfileText(std::string_view(reinterpret_cast<const char*>(data), size), &profile);
  for (const std::string* text : {&profile.marketText, &profile.industryText}) {
    if (text->size() > 254 || text->find('\0') != std::string::npos) __builtin_trap();
  }
  return 0;
}
