#include "store/peer_address.h"

#include <gtest/gtest.h>

#include <string>

#include "store/stock_files.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

struct PeerCase {
  const char* listUrl;
  const char* link;
  const char* address;  // "" when refused
};

// The stock page's address decides where relative links point: below its folder when it has
// one (the server-extension form), at the server's root when not (the script form).
TEST(PeerAddressTest, StockAddressesFollowTheListsBasePath) {
  const std::string longLink = "d/" + std::string(240, 'x') + "/KD1301.KDT";
  const PeerCase cases[] = {
      {"http://peer/Korvale/KVISA.DLL?ALLST", "data/1000/KD1301.KDT",
       "http://peer/Korvale/data/1000/KD1301.KDT"},
      {"http://peer/Korvale.cgi?cmd=ALLST", "data/1000/KD1301.KDT",
       "http://peer/data/1000/KD1301.KDT"},
      {"http://peer/Korvale/KVISA.DLL?ALLST", "http://other:81/x/KD1301.KDT",
       "http://other:81/x/KD1301.KDT"},
      // Sounder than the text: the port stays with the server, a link from the server's root is
      // not put below the base path, a "/" in the query names no folder.
      {"http://127.0.0.1:8080/Korvale/KVISA.DLL?ALLST", "Data/1000/KD1301.KDT",
       "http://127.0.0.1:8080/Korvale/Data/1000/KD1301.KDT"},
      {"http://peer/Korvale/KVISA.DLL?ALLST", "/Korvale/Data/KD1301.KDT",
       "http://peer/Korvale/Data/KD1301.KDT"},
      {"http://peer/list.cgi?dir=/a/b", "KD1301.KDT", "http://peer/KD1301.KDT"},
      {"http://peer/a/b/list.html", "KD1301.KDT", "http://peer/a/b/KD1301.KDT"},
      {"http://peer/Korvale/KVISA.DLL?ALLST", longLink.c_str(), ""},
  };
  testing::TempDir work;
  for (const PeerCase& c : cases) {
    CStockDictionary d(c.listUrl, work.path(), 0, "", 0);
    std::string error;
    ASSERT_TRUE(d.SetPeerAddress(c.listUrl, &error)) << error;
    const std::string page = std::string("<a href=\"") + c.link + "\">x</a>";
    d.ParseLinkList(page.data(), page.size());
    ASSERT_EQ(d.itemCount, 1) << c.link;
    std::string url;
    EXPECT_EQ(ComposePeerUrl(d, 0, &url), c.address[0] != '\0') << c.link;
    EXPECT_EQ(url, c.address) << c.listUrl << " " << c.link;
  }
}

TEST(PeerAddressTest, TwoHundredStocksOfOneFolderShareOneTemplate) {
  testing::TempDir work;
  CStockDictionary d("http://peer/Korvale/KVISA.DLL?ALLST", work.path(), 0, "", 0);
  ASSERT_TRUE(d.SetPeerAddress("http://peer/Korvale/KVISA.DLL?ALLST", nullptr));
  EXPECT_TRUE(d.hasPeerBasePath());
  std::string page;
  for (int code = 1301; code < 1501; ++code) {
    page += "<a href=\"data/1000/KD" + std::to_string(code) + ".KDT\">" + std::to_string(code) +
            "</a>\n";
  }
  d.ParseLinkList(page.data(), page.size());
  ASSERT_EQ(d.itemCount, 200);
  EXPECT_EQ(d.folderCount, 1);
  EXPECT_EQ(d.folders[1], "data/1000/KD%04d.KDT");
  StockFiles files;
  ASSERT_TRUE(ResolveStockFiles(d, 1499, "/lines", &files));
  EXPECT_EQ(files.pricePath, "http://peer/Korvale/data/1000/KD1499.KDT");
  EXPECT_TRUE(files.linePath.empty());  // remote mode keeps no trend lines
  EXPECT_TRUE(files.marginPath.empty());
}

TEST(PeerAddressTest, AddressesThatDoNotFitAreRefused) {
  testing::TempDir work;
  CStockDictionary d("x", work.path(), 0, "", 0);
  std::string error;
  EXPECT_FALSE(d.SetPeerAddress("ftp://peer/list", &error));
  EXPECT_FALSE(d.SetPeerAddress("http:///list", &error));
  EXPECT_FALSE(d.SetPeerAddress("http://" + std::string(64, 'h') + "/list", &error));
  EXPECT_NE(error.find("63"), std::string::npos) << error;
  EXPECT_FALSE(d.SetPeerAddress("http://peer/" + std::string(96, 'p') + "/list", &error));
  EXPECT_TRUE(d.SetPeerAddress("HTTP://peer/KVISA.DLL?ALLST", &error));
  EXPECT_FALSE(d.hasPeerBasePath());  // a "/" at the first place only
  EXPECT_EQ(d.serverHost, "peer");
}

}  // namespace
}  // namespace korvale
