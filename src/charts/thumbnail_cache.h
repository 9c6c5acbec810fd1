// The thumbnail window's cache: one entry per dictionary position, each stamped when it is used,
// trimmed to the least recently used once it holds more than a few pages' worth. The window
// keeps what it drew for a stock (its prices and the rendered cell) here, so a stock is read
// once while it stays in view and scrolling back shows it at once.
#ifndef KORVALE_CHARTS_THUMBNAIL_CACHE_H_
#define KORVALE_CHARTS_THUMBNAIL_CACHE_H_

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace korvale {

template <typename Entry>
class CThumbnailCache {
 public:
  // The entry of a position, stamped as used; null when there is none.
  Entry* Find(int position) {
    auto it = entries_.find(position);
    if (it == entries_.end()) return nullptr;
    it->second.stamp = ++clock_;
    return it->second.entry.get();
  }
  // Stores the entry of a position (replacing any), stamped as used, and returns it.
  Entry* Insert(int position, std::unique_ptr<Entry> entry) {
    Slot& slot = entries_[position];
    slot.entry = std::move(entry);
    slot.stamp = ++clock_;
    return slot.entry.get();
  }
  // For a page of `pageEntries` cells: once more than four pages' worth are held, the least
  // recently used go until three pages' worth remain. What the last page used is newer than
  // anything else, so the cells in view always stay.
  void Trim(int pageEntries) {
    const size_t keep = static_cast<size_t>(std::max(pageEntries, 1)) * 3;
    if (entries_.size() <= keep / 3 * 4) return;
    std::vector<std::pair<uint64_t, int>> byAge;
    byAge.reserve(entries_.size());
    for (const auto& [position, slot] : entries_) byAge.emplace_back(slot.stamp, position);
    const size_t drop = byAge.size() - keep;
    std::nth_element(byAge.begin(), byAge.begin() + static_cast<std::ptrdiff_t>(drop), byAge.end());
    for (size_t i = 0; i < drop; ++i) entries_.erase(byAge[i].second);
  }
  // Applies `f` to every entry (a new cell size makes the drawn cells stale).
  template <typename F>
  void ForEach(F f) {
    for (auto& [position, slot] : entries_) f(*slot.entry);
  }
  void Clear() { entries_.clear(); }
  size_t size() const { return entries_.size(); }

 private:
  struct Slot {
    std::unique_ptr<Entry> entry;
    uint64_t stamp = 0;
  };
  std::unordered_map<int, Slot> entries_;
  uint64_t clock_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_THUMBNAIL_CACHE_H_
