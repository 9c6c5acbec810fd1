#include "store/line_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace korvale {
namespace {

using testing::TempDir;
using testing::WriteText;

// What ReadRecordLine returns for every line of the file, the line end taken off a whole line.
std::vector<std::pair<int, std::string>> ByReadRecordLine(const std::string& path, int capacity) {
  CLineFile file;
  EXPECT_TRUE(file.Open(path));
  std::vector<std::pair<int, std::string>> lines;
  std::vector<char> buffer(static_cast<size_t>(capacity));
  for (;;) {
    const int got = ReadRecordLine(file, buffer.data(), capacity);
    if (got == kNoLine) break;
    std::string text(buffer.data());
    if (got == kWholeLine) text.pop_back();  // the CR every whole line ends in
    lines.emplace_back(got, text);
  }
  return lines;
}

std::vector<std::pair<int, std::string>> ByScanner(const std::string& path, int capacity) {
  CLineFile file;
  EXPECT_TRUE(file.Open(path));
  CLineScanner scanner(&file);
  std::vector<std::pair<int, std::string>> lines;
  std::string_view line;
  for (;;) {
    const int got = scanner.Next(capacity, &line);
    if (got == kNoLine) break;
    lines.emplace_back(got, std::string(line));
  }
  return lines;
}

// Lines of every length around the cut, many of them so that lines and line ends straddle the
// scanner's buffer, in each line-end convention, with an unended tail.
std::string Lines(const char* end, bool endedLast) {
  std::string text;
  for (int i = 0; i < 40000; ++i) {
    text.append(static_cast<size_t>(i * 7 % 23 + (i % 500 == 0 ? 300 : 0)), 'a' + i % 26);
    text += end;
  }
  text += "tail";
  if (endedLast) text += end;
  return text;
}

TEST(LineScannerTest, GivesExactlyTheLinesReadRecordLineGives) {
  TempDir dir;
  struct Case {
    const char* end;
    bool endedLast;
    int capacity;
  } cases[] = {{"\r\n", false, 250}, {"\n", true, 250}, {"\r", false, 20}, {"\r\n", true, 16}};
  for (const Case& c : cases) {
    const std::string path = dir.File("lines.txt");
    WriteText(path, Lines(c.end, c.endedLast));
    EXPECT_EQ(ByScanner(path, c.capacity), ByReadRecordLine(path, c.capacity))
        << "line end "
        << (c.end[1]           ? "CR LF"
            : c.end[0] == '\n' ? "LF"
                               : "CR")
        << ", capacity " << c.capacity;
  }
}

}  // namespace
}  // namespace korvale
