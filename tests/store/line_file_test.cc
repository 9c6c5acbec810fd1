#include "store/line_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

namespace korvale {
namespace {

using testing::TempDir;
using testing::WriteText;

struct Line {
  int result;
  std::string text;
};

std::vector<Line> AllLines(CLineFile& file, int capacity = 250) {
  std::vector<Line> lines;
  std::vector<char> buffer(static_cast<size_t>(capacity), '#');
  for (;;) {
    int length = -1;
    const int r = ReadLine(file, buffer.data(), capacity, &length);
    if (r == kNoLine) break;
    EXPECT_EQ(std::strlen(buffer.data()), static_cast<size_t>(length));  // always terminated
    lines.push_back({r, std::string(buffer.data(), static_cast<size_t>(length))});
  }
  return lines;
}

int ModeOf(const std::string& content) {
  TempDir dir;
  WriteText(dir.File("f.txt"), content);
  CLineFile file;
  EXPECT_TRUE(file.Open(dir.File("f.txt")));
  return file.lineEndMode;
}

TEST(LineFileTest, LineEndModeIsTheFirstLineEndWithinTheFirst250Bytes) {
  EXPECT_EQ(ModeOf("a,b\r\nc\r\n"), kLineEndCrLf);
  EXPECT_EQ(ModeOf("a,b\nc\r\n"), kLineEndLf);
  EXPECT_EQ(ModeOf("a,b\rc\r\n"), kLineEndCr);
  EXPECT_EQ(ModeOf("no line end at all"), kLineEndCrLf);
  EXPECT_EQ(ModeOf(""), kLineEndCrLf);
  EXPECT_EQ(ModeOf(std::string(250, 'x') + "\n"), kLineEndCrLf);  // beyond the probe
  EXPECT_EQ(ModeOf(std::string(249, 'x') + "\n"), kLineEndLf);
  // A CR as the 250th byte is judged by the byte after it.
  EXPECT_EQ(ModeOf(std::string(249, 'x') + "\r\n"), kLineEndCrLf);
  EXPECT_EQ(ModeOf(std::string(249, 'x') + "\rx"), kLineEndCr);
}

TEST(LineFileTest, EveryLineEndsInOneCrWhateverTheFileUses) {
  for (const char* content : {"1301 a\r\n7203 b\r\n", "1301 a\n7203 b\n", "1301 a\r7203 b\r"}) {
    TempDir dir;
    WriteText(dir.File("f.txt"), content);
    CLineFile file;
    ASSERT_TRUE(file.Open(dir.File("f.txt")));
    const std::vector<Line> lines = AllLines(file);
    ASSERT_EQ(lines.size(), 2u) << content;
    EXPECT_EQ(lines[0].text, "1301 a\r");
    EXPECT_EQ(lines[1].text, "7203 b\r");
    EXPECT_EQ(lines[1].result, kWholeLine);
  }
}

TEST(LineFileTest, OtherLineEndBytesStayInsideTheLineAndTheLastUnendedLineIsNotReturned) {
  TempDir dir;
  WriteText(dir.File("crlf.txt"), "x\r\na\nb\r\nc\r\nlast");
  CLineFile file;
  ASSERT_TRUE(file.Open(dir.File("crlf.txt")));
  std::vector<Line> lines = AllLines(file);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].text, "a\nb\r");
  EXPECT_EQ(lines[2].text, "c\r");
  WriteText(dir.File("lf.txt"), "x\na\rb\nlast");
  ASSERT_TRUE(file.Open(dir.File("lf.txt")));
  lines = AllLines(file);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, "a\rb\r");
}

TEST(LineFileTest, ALongLineIsCutTerminatedAndItsRestFollows) {
  TempDir dir;
  WriteText(dir.File("f.txt"), std::string(248, 'a') + "\r\n" + std::string(249, 'b') + "\r\n" +
                                   std::string(300, 'c') + "\r\nend\r\n");
  CLineFile file;
  ASSERT_TRUE(file.Open(dir.File("f.txt")));
  const std::vector<Line> lines = AllLines(file);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].result, kWholeLine);  // 248 bytes, the CR and the terminator fill 250
  EXPECT_EQ(lines[0].text, std::string(248, 'a') + "\r");
  EXPECT_EQ(lines[1].result, kCutLine);
  EXPECT_EQ(lines[1].text, std::string(249, 'b'));
  EXPECT_EQ(lines[2].text, "\r");  // the rest of the cut line: only its end
  EXPECT_EQ(lines[3].result, kCutLine);
  EXPECT_EQ(lines[4].text, std::string(51, 'c') + "\r");
  EXPECT_EQ(lines[5].text, "end\r");
}

TEST(LineFileTest, RecordLinesDropTheRestOfACutLine) {
  TempDir dir;
  WriteText(dir.File("f.txt"), "head\n" + std::string(1000, 'x') + "7203\n1301 a\n");
  CLineFile file;
  ASSERT_TRUE(file.Open(dir.File("f.txt")));
  char line[250];
  EXPECT_EQ(ReadRecordLine(file, line, sizeof line), kWholeLine);
  EXPECT_EQ(ReadRecordLine(file, line, sizeof line), kCutLine);
  EXPECT_EQ(std::string(line), std::string(249, 'x'));
  EXPECT_EQ(ReadRecordLine(file, line, sizeof line), kWholeLine);
  EXPECT_EQ(std::string(line), "1301 a\r");
  EXPECT_EQ(ReadRecordLine(file, line, sizeof line), kNoLine);
}

TEST(LineFileTest, LinesAcrossManyBufferFillsAndSeekingBack) {
  TempDir dir;
  std::string content;
  for (int i = 0; i < 20000; ++i) content += std::to_string(10000 + i) + ",abcdef\r\n";
  WriteText(dir.File("f.txt"), content);
  CLineFile file;
  ASSERT_TRUE(file.Open(dir.File("f.txt")));
  std::vector<Line> lines = AllLines(file);
  ASSERT_EQ(lines.size(), 20000u);
  EXPECT_EQ(lines[7281].text, "17281,abcdef\r");
  EXPECT_EQ(lines[19999].text, "29999,abcdef\r");
  char byte;
  EXPECT_EQ(file.Read(&byte, 1), 0);  // past the end: nothing
  ASSERT_TRUE(file.Seek(0));
  char head[5];
  ASSERT_EQ(file.Read(head, 5), 5);
  EXPECT_EQ(std::string(head, 5), "10000");
  ASSERT_TRUE(file.Seek(static_cast<int64_t>(content.size()) - 8));
  EXPECT_EQ(AllLines(file)[0].text, "abcdef\r");
}

TEST(LineFileTest, FailuresAreReportedNotRaised) {
  TempDir dir;
  CLineFile file;
  EXPECT_FALSE(file.Open(dir.File("missing.txt")));
  EXPECT_FALSE(file.Open(dir.path()));  // a folder
  char byte;
  EXPECT_EQ(file.Read(&byte, 1), -1);
  EXPECT_FALSE(file.Seek(0));
  char line[8];
  EXPECT_EQ(ReadLine(file, line, sizeof line), kNoLine);
  EXPECT_EQ(line[0], '\0');
}

// A reader the way an import plug-in holds the file: only through the virtual operations.
class StringLineFile : public CLineFile {
 public:
  explicit StringLineFile(std::string text) : text_(std::move(text)) { lineEndMode = kLineEndLf; }
  bool Seek(int64_t position) override {
    pos_ = static_cast<size_t>(position);
    return true;
  }
  int64_t Read(void* buffer, int64_t count) override {
    const size_t n =
        std::min(static_cast<size_t>(count), text_.size() - std::min(pos_, text_.size()));
    std::memcpy(buffer, text_.data() + pos_, n);
    pos_ += n;
    return static_cast<int64_t>(n);
  }

 private:
  std::string text_;
  size_t pos_ = 0;
};

TEST(LineFileTest, ReadLineGoesThroughTheVirtualOperations) {
  StringLineFile fake("one\ntwo\n");
  CLineFile& file = fake;
  const std::vector<Line> lines = AllLines(file, 8);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, "two\r");
}

}  // namespace
}  // namespace korvale
