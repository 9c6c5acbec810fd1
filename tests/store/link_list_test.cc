#include "store/link_list.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "store/dictionary_file.h"
#include "store/stock_dictionary.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::TempDir;

class LinkListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteDictionaryFile(DictionaryFilePath(work_.path()),
                                 {testing::DictRecord(7203, "トヨタ", 1, 17)});
  }
  CStockDictionary Peer() { return CStockDictionary("http://peer:8080/", work_.path(), 0, "", 0); }
  TempDir work_;
};

TEST_F(LinkListTest, EachLinkGivesACodeAndAFolderTemplate) {
  CStockDictionary d = Peer();
  EXPECT_EQ(d.mode, 1);
  EXPECT_EQ(d.rootPath, "http://peer:8080/");
  const std::string page =
      "<html><body><a href=\"index.html\">top</a>\n"
      "<A HREF=\"http://peer:8080/Data/7000/KD7203.KDT\">7203 x</A>\n"
      "<a class=x href='http://peer:8080/Data/7000/KD7211.KDT'>7211</a>\n"
      "<abbr title=\"KD9999\">not a link</abbr>\n"
      "<a href=\"http://peer:8080/Data/1000/KD1301.KDT\">1301</a>\n"
      "<a href=\"page12.html\">next</a>\n"
      "<a href=\"http://peer:8080/Data/9000/KD9984.KDT\">after the end</a></body></html>";
  EXPECT_EQ(d.ParseLinkList(page.data(), page.size()), page.size());
  ASSERT_EQ(d.itemCount, 3);
  EXPECT_EQ(d.items[0].code, 7203);  // source order, not sorted
  EXPECT_EQ(d.items[1].code, 7211);
  EXPECT_EQ(d.items[2].code, 1301);
  EXPECT_EQ(d.folderCount, 2);
  EXPECT_EQ(d.folders[1], "http://peer:8080/Data/7000/KD%04d.KDT");
  EXPECT_EQ(d.folders[2], "http://peer:8080/Data/1000/KD%04d.KDT");
  EXPECT_EQ(d.items[1].folder, 1);
  EXPECT_EQ(d.items[2].folder, 2);
  EXPECT_EQ(std::string(d.items[0].name), testing::Sjis("トヨタ"));
  std::string folder;
  ASSERT_EQ(d.GetFolder(7211, &folder), 1);
  EXPECT_EQ(ExpandLinkTemplate(folder, 7211), "http://peer:8080/Data/7000/KD7211.KDT");
}

TEST_F(LinkListTest, PercentSignsOfTheAddressSurviveTheTemplate) {
  LinkTarget t;
  ASSERT_EQ(ParseLinkAddress("http://h/a%20b/KD7203.KDT?x=%d", &t), LinkKind::kStock);
  EXPECT_EQ(t.code, 7203);
  EXPECT_EQ(t.folderTemplate, "http://h/a%%20b/KD%04d.KDT?x=%%d");
  EXPECT_EQ(ExpandLinkTemplate(t.folderTemplate, 42), "http://h/a%20b/KD0042.KDT?x=%d");
  char formatted[128];  // printf-safe as well
  std::snprintf(formatted, sizeof formatted, t.folderTemplate.c_str(), 7203);
  EXPECT_STREQ(formatted, "http://h/a%20b/KD7203.KDT?x=%d");
  EXPECT_EQ(ParseLinkAddress("KD0000.KDT", &t), LinkKind::kBadCode);
  EXPECT_EQ(ParseLinkAddress("KD72031.KDT", &t), LinkKind::kBadCode);
  EXPECT_EQ(ParseLinkAddress("readme.html", &t), LinkKind::kNoDigits);
  EXPECT_EQ(ParseLinkAddress("", &t), LinkKind::kNoDigits);
}

TEST_F(LinkListTest, PagesThatAreNotHtmlOrHoldTenThousandLinksAreHandled) {
  CStockDictionary junk = Peer();
  std::string bytes;
  uint32_t x = 12345;
  for (int i = 0; i < 100000; ++i) {
    x = x * 1103515245u + 12345u;
    bytes += static_cast<char>(x >> 24);
  }
  bytes += "<a href=\"KD1301";  // cut off inside a tag
  junk.ParseLinkList(bytes.data(), bytes.size());
  EXPECT_LE(junk.itemCount, kMaxStockItems);
  EXPECT_EQ(Peer().ParseLinkList(nullptr, 0), 0u);

  std::string page = "<html>";
  for (int i = 0; i < 10000; ++i) {
    char link[96];
    std::snprintf(link, sizeof link, "<a href=\"/d/%d/KD%04d.KDT\">x</a>\n", i % 150,
                  1000 + i % 9000);
    page += link;
  }
  CStockDictionary many = Peer();
  many.ParseLinkList(page.data(), page.size());
  EXPECT_EQ(many.folderCount, 99);  // the folder table is full; later folders are skipped
  EXPECT_LE(many.itemCount, kMaxStockItems);
  EXPECT_GT(many.itemCount, 3000);

  std::string unclosed;
  for (int i = 0; i < 20000; ++i) unclosed += "<a href=\"/x/KD1301.KDT\">";
  CStockDictionary open = Peer();
  open.ParseLinkList(unclosed.data(), unclosed.size());
  EXPECT_EQ(open.itemCount, kMaxStockItems);
}

// The stock page arrives in blocks: a link cut at a block's end waits for the next, so every cut
// gives the list one call over the whole page gives, and the end of the list stays the end.
TEST_F(LinkListTest, APageFedInTwoBlocksAtAnyCutGivesTheSameList) {
  const std::string page =
      "<html><a href=\"d/1000/KD1301.KDT\">1301</a><br>\n<A HREF='d/7000/KD7203.KDT'>x</A>"
      "<abbr>KD9999</abbr><a  href=\"/abs/KD2001.KDT\">y</a>"
      "<a href=\"next.html\">no digits</a><a href=\"KD12345.KDT\">end</a>"
      "<a href=\"d/1000/KD1302.KDT\">after the end</a></html>";
  CStockDictionary whole = Peer();
  whole.ParseLinkList(page.data(), page.size());
  ASSERT_EQ(whole.itemCount, 3);
  for (size_t cut = 0; cut <= page.size(); ++cut) {
    CStockDictionary d = Peer();
    const size_t used = d.ParseLinkList(page.data(), cut, true);
    ASSERT_LE(used, cut);
    const std::string rest = page.substr(used);
    EXPECT_EQ(d.ParseLinkList(rest.data(), rest.size()), rest.size());
    ASSERT_EQ(d.itemCount, whole.itemCount) << cut;
    for (int i = 0; i < d.itemCount; ++i) {
      EXPECT_EQ(d.items[i].code, whole.items[i].code) << cut;
      EXPECT_EQ(d.folders[d.items[i].folder], whole.folders[whole.items[i].folder]) << cut;
    }
  }
}

}  // namespace
}  // namespace korvale
