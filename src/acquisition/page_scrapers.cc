#include "acquisition/page_scrapers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

#include "acquisition/euc_sjis.h"
#include "acquisition/web_text.h"
#include "store/cp932.h"

namespace korvale {

namespace {

constexpr size_t kProfileTextBytes = 254;
constexpr size_t kQuoteNameBytes = 31;
constexpr size_t kCellBytes = 256;  // a stripped cell holds at most 255 bytes
constexpr int kQuoteCells = 10;
constexpr int kPriceCells = 6;

// The page as the scrapers see it: a terminated text, so a zero byte ends it.
std::string_view UpToZero(std::string_view page) {
  const size_t zero = page.find('\0');
  return zero == std::string_view::npos ? page : page.substr(0, zero);
}

// The text between `marker` and the next "</TD>" after it, at most `limit` bytes; empty when
// either is missing.
std::string TextAfterMarker(std::string_view text, const std::string& marker, size_t limit) {
  const size_t at = text.find(marker);
  if (at == std::string_view::npos) return "";
  const size_t start = at + marker.size();
  const size_t end = text.find("</TD>", start);
  if (end == std::string_view::npos) return "";
  return std::string(text.substr(start, std::min(end - start, limit)));
}

// Calls onRow with each "<tr" ... "</tr>" of the page in order until it returns false. The next
// row is looked for after the end of the previous one, so the scan is linear.
template <typename OnRow>
void ForEachRow(std::string_view page, OnRow onRow) {
  size_t from = 0;
  while (from < page.size()) {
    const size_t start = page.find("<tr", from);
    if (start == std::string_view::npos) return;
    const size_t close = page.find("</tr>", start);
    if (close == std::string_view::npos) return;
    const size_t end = close + 5;
    if (!onRow(page.substr(start, end - start))) return;
    from = end;
  }
}

// The first `maxCells` cells of a row, tags stripped.
std::vector<std::string> RowCells(std::string_view row, int maxCells) {
  std::vector<std::string> cells;
  size_t from = 0;
  while (static_cast<int>(cells.size()) < maxCells) {
    const size_t start = row.find("<td", from);
    if (start == std::string_view::npos) break;
    const size_t close = row.find("</td>", start);
    if (close == std::string_view::npos) break;
    const size_t end = close + 5;
    cells.push_back(StripTags(row.substr(start, end - start), kCellBytes));
    from = end;
  }
  return cells;
}

// The literals the scrapers look for, in Shift_JIS.
struct Literals {
  std::string market = Utf8ToCp932("【市場名】");
  std::string industry = Utf8ToCp932("【業種分類】");
  std::string month = Utf8ToCp932("月");
};
const Literals& SjisLiterals() {
  static const Literals literals;
  return literals;
}

// Reads a date cell (already Shift_JIS) into the row; false when it is not a date.
bool ReadDate(const std::string& date, PriceTableRow* row) {
  int month = 0, day = 0;
  const int year = LeadingInt(date);
  if (year > 1900) {
    if (date.size() > 6) month = LeadingInt(std::string_view(date).substr(6));
    const size_t at = FindText(date, SjisLiterals().month);
    if (at > 7)
      day = LeadingInt(std::string_view(date).substr(at - 1 + SjisLiterals().month.size()));
  }
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  row->year = year;
  row->month = month;
  row->day = day;
  return true;
}

int32_t CommaFreeInt(std::string cell) {
  RemoveCommas(&cell);
  return LeadingInt(cell);
}

double NumberCell(std::string cell) {
  KeepNumberChars(&cell);
  return LeadingDouble(cell);
}

// Reads at most `limit` bytes of a regular file (more only when cutAtLimit is false: then the
// file is refused). Opens without blocking, so a pipe or device named as a page cannot hang.
bool ReadPageFile(const std::string& path, size_t limit, bool cutAtLimit, std::string* text,
                  std::string* error) {
  text->clear();
  auto fail = [&](const std::string& why) {
    if (error) *error = path + ": " + why;
    text->clear();
    return false;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(std::strerror(errno));
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail("not a regular file");
  }
  const size_t size = static_cast<size_t>(st.st_size);
  if (size > limit && !cutAtLimit) {
    ::close(fd);
    return fail("larger than " + std::to_string(limit) + " bytes");
  }
  text->resize(std::min(size, limit));
  size_t done = 0;
  while (done < text->size()) {
    const ssize_t n = ::read(fd, text->data() + done, text->size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return fail(std::strerror(errno));
    }
    if (n == 0) break;  // the file shrank meanwhile: keep what arrived
    done += static_cast<size_t>(n);
  }
  text->resize(done);
  ::close(fd);
  return true;
}

}  // namespace

bool ScrapeProfileText(std::string_view page, ProfileText* out) {
  *out = ProfileText{};
  const std::string text = EucToSjis(UpToZero(page));
  out->marketText = TextAfterMarker(text, SjisLiterals().market, kProfileTextBytes);
  if (out->marketText.empty()) return false;
  out->industryText = TextAfterMarker(text, SjisLiterals().industry, kProfileTextBytes);
  return true;
}

bool ScrapeQuoteText(std::string_view page, QuoteSummary* out) {
  bool complete = false;
  ForEachRow(UpToZero(page), [&](std::string_view row) {
    const std::vector<std::string> cells = RowCells(row, kQuoteCells);
    for (size_t i = 0; i < cells.size(); ++i) {
      const std::string& cell = cells[i];
      switch (i) {
        case 0:
          *out = QuoteSummary{};
          out->code = LeadingInt(cell);
          if (out->code < 1000 || out->code > 9999) return true;  // a title row: next row
          break;
        case 2:
          out->name = EucToSjis(cell).substr(0, kQuoteNameBytes);
          break;
        case 5:
          out->marketCapitalisation = std::trunc(NumberCell(cell));
          break;
        case 6:
          out->earningsPerShare = NumberCell(cell);
          break;
        case 7:
          out->priceEarningsRatio = NumberCell(cell);
          break;
        case 8:
          out->bookValuePerShare = NumberCell(cell);
          break;
        case 9:
          out->priceBookRatio = NumberCell(cell);
          complete = true;
          return false;
        default:
          break;
      }
    }
    return true;
  });
  return complete;
}

int ScrapePriceTableText(std::string_view page, CPriceTablePage* out) {
  int stored = 0;
  ForEachRow(UpToZero(page), [&](std::string_view rowText) {
    if (out->rowCount >= out->rowCapacity || out->rowCount >= kPriceTableRowsPerPage) return false;
    const std::vector<std::string> cells = RowCells(rowText, kPriceCells);
    PriceTableRow row;
    if (cells.empty() || !ReadDate(EucToSjis(cells[0]), &row)) return true;
    if (cells.size() > 1) {
      row.open = CommaFreeInt(cells[1]);
      if (row.open == 0) return true;
      row.high = row.low = row.close = row.open;
      row.volume = 0;
    }
    if (cells.size() > 2) row.high = CommaFreeInt(cells[2]);
    if (cells.size() > 3) row.low = CommaFreeInt(cells[3]);
    if (cells.size() > 4) row.close = CommaFreeInt(cells[4]);
    if (cells.size() > 5) row.volume = CommaFreeInt(cells[5]);
    if (cells.size() == 3) row.high = row.open;
    out->rows[static_cast<size_t>(out->rowCount++)] = row;
    ++stored;
    return true;
  });
  return stored;
}

bool ScrapeProfile(const std::string& path, ProfileText* out, std::string* error) {
  *out = ProfileText{};
  std::string page;
  if (!ReadPageFile(path, kMaxPageBytes, false, &page, error)) return false;
  ScrapeProfileText(page, out);
  return true;
}

bool ScrapeQuote(const std::string& path, QuoteSummary* out, std::string* error) {
  *out = QuoteSummary{};
  std::string page;
  if (!ReadPageFile(path, kQuotePageBytes, true, &page, error)) return false;
  ScrapeQuoteText(page, out);
  return true;
}

bool ScrapePriceTable(const std::string& path, CPriceTablePage* out, std::string* error) {
  std::string page;
  if (!ReadPageFile(path, kMaxPageBytes, false, &page, error)) return false;
  ScrapePriceTableText(page, out);
  return true;
}

}  // namespace korvale
