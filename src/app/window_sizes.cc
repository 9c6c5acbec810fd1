#include "app/window_sizes.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "store/settings_field_rules.h"

namespace korvale {

namespace {

// The width and height fields of a window (const or not, with the record).
template <typename Record>
auto FieldsOf(Record* s, KeptWindow window) {
  switch (window) {
    case KeptWindow::kIchimoku:
      return std::pair(&s->ichimokuWindowWidth, &s->ichimokuWindowHeight);
    case KeptWindow::kSignal:
      return std::pair(&s->signalWindowWidth, &s->signalWindowHeight);
    default:
      return std::pair(&s->dailyWindowWidth, &s->dailyWindowHeight);
  }
}

}  // namespace

WindowSize StoredWindowSize(const SettingsRecord& settings, KeptWindow window) {
  const auto [width, height] = FieldsOf(&settings, window);
  if (*width <= 0 || *height <= 0) return {};
  return {*width, *height};
}

void KeepWindowSize(SettingsRecord* settings, KeptWindow window, int width, int height) {
  if (width <= 0 || height <= 0) return;
  const auto [widthField, heightField] = FieldsOf(settings, window);
  *widthField = std::clamp(width, kWindowSizeMin, kWindowSizeMax);
  *heightField = std::clamp(height, kWindowSizeMin, kWindowSizeMax);
}

}  // namespace korvale
