// The lists that make the stock list of the remote modes: the peer server's link page (first
// byte 0) and the web service's fetch list (otherwise).
#include "fuzz/fuzz_support.h"
#include "store/stock_dictionary.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string& work = fuzzing::ScratchFolder();
  if (data[0] == 0) {
    CStockDictionary dictionary("http://peer.example/Korvale/KVISA.DLL?ALLST", work, 0, "", 0);
    dictionary.ParseLinkList(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string folder;
    for (int i = 0; i < dictionary.itemCount; ++i) {
      dictionary.GetFolder(dictionary.items[static_cast<size_t>(i)].code, &folder);
    }
  } else {
    const std::string path = fuzzing::BytesAsFile(data + 1, size - 1);
    CStockDictionary dictionary("http://quote.example/fetchlist.csv", 0, "", 0, work);
    dictionary.ReadFetchList(path);
    dictionary.names.ApplyFetchListSymbols(path);
    dictionary.BuildIndex();
  }
  return 0;
}
