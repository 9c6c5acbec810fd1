#include "store/link_list.h"

#include <cstdio>

#include "store/stock_dictionary.h"

namespace korvale {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, size_t at, std::string_view word) {
  if (at + word.size() > text.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

std::string EscapePercent(std::string_view text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

// The address of the href attribute in the tag text; false when the tag has none in quotes.
bool HrefOfTag(std::string_view tag, std::string_view* address) {
  for (size_t at = 0; (at = tag.find_first_of("hH", at)) != std::string_view::npos; ++at) {
    if (!StartsWithIgnoringCase(tag, at, "href")) continue;
    size_t p = at + 4;
    while (p < tag.size() && IsSpace(tag[p])) ++p;
    if (p >= tag.size() || tag[p] != '=') continue;
    ++p;
    while (p < tag.size() && IsSpace(tag[p])) ++p;
    if (p >= tag.size() || (tag[p] != '"' && tag[p] != '\'')) return false;
    const size_t close = tag.find(tag[p], p + 1);
    if (close == std::string_view::npos) return false;
    *address = tag.substr(p + 1, close - p - 1);
    return true;
  }
  return false;
}

}  // namespace

LinkKind ParseLinkAddress(std::string_view address, LinkTarget* target) {
  size_t end = address.size();
  while (end > 0 && !IsDigit(address[end - 1])) --end;
  if (end == 0) return LinkKind::kNoDigits;
  size_t begin = end;
  while (begin > 0 && IsDigit(address[begin - 1])) --begin;
  if (end - begin != 4) return LinkKind::kBadCode;
  int code = 0;
  for (size_t i = begin; i < end; ++i) code = code * 10 + (address[i] - '0');
  if (code < 1) return LinkKind::kBadCode;
  target->code = code;
  target->folderTemplate =
      EscapePercent(address.substr(0, begin)) + "%04d" + EscapePercent(address.substr(end));
  return LinkKind::kStock;
}

std::string ExpandLinkTemplate(const std::string& folderTemplate, int code) {
  std::string out;
  for (size_t i = 0; i < folderTemplate.size(); ++i) {
    if (folderTemplate[i] != '%') {
      out += folderTemplate[i];
    } else if (folderTemplate.compare(i, 4, "%04d") == 0) {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%04d", code);
      out += digits;
      i += 3;
    } else {
      out += '%';
      if (i + 1 < folderTemplate.size() && folderTemplate[i + 1] == '%') ++i;
    }
  }
  return out;
}

size_t CStockDictionary::ParseLinkList(const char* html, size_t length, bool more) {
  const std::string_view page(html, html ? length : 0);
  if (linkListEnded_) return page.size();  // the list ended in an earlier block
  size_t consumed = page.size();
  size_t at = 0;
  bool closersLeft = true;
  while ((at = page.find('<', at)) != std::string_view::npos) {
    if (more && at + 2 >= page.size()) {  // a tag cut at the end of the block
      consumed = at;
      break;
    }
    const bool anchor = at + 2 < page.size() && Lower(page[at + 1]) == 'a' && IsSpace(page[at + 2]);
    if (!anchor) {
      ++at;
      continue;
    }
    const size_t tagEnd = page.find('>', at);
    if (tagEnd == std::string_view::npos) {
      if (more) consumed = at;
      break;
    }
    std::string_view address;
    const bool hasHref = HrefOfTag(page.substr(at, tagEnd - at), &address);
    // The link text runs to the closing anchor tag; names come from the name table instead.
    size_t next = tagEnd + 1;
    bool closed = false;
    for (size_t close = next; closersLeft; close += 2) {
      close = page.find("</", close);
      if (close == std::string_view::npos) {
        closersLeft = false;  // so a page of unclosed links is not searched again per link
      } else if (close + 2 < page.size() && Lower(page[close + 2]) == 'a') {
        next = close + 3;
        closed = true;
        break;
      }
    }
    if (!closed && more) {  // the link ends in a later block
      consumed = at;
      break;
    }
    at = next;
    if (!hasHref) continue;
    LinkTarget target;
    const LinkKind kind = ParseLinkAddress(address, &target);
    if (kind == LinkKind::kNoDigits) continue;
    if (kind == LinkKind::kBadCode) {
      linkListEnded_ = true;
      break;
    }
    int folder = FindFolder(target.folderTemplate);
    if (!IsFolderIndex(folder)) folder = AddFolder(target.folderTemplate);
    if (!IsFolderIndex(folder)) continue;  // no slot for another folder: the stock is skipped
    if (!AddStock(target.code, folder)) {
      linkListEnded_ = true;
      break;
    }
  }
  BuildIndex();
  return consumed;
}

}  // namespace korvale
