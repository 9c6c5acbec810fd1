// The six colour themes of the charts: 68 colour slots each, selected by the settings field
// colourTheme.
#ifndef KORVALE_CHARTS_COLOUR_THEMES_H_
#define KORVALE_CHARTS_COLOUR_THEMES_H_

#include "charts/canvas.h"

namespace korvale {

inline constexpr int kPaletteSize = 68;
inline constexpr int kThemeCount = 6;

// The colour of `slot` (0-67) in theme `theme`; a theme outside 0-5 gives the standard theme.
Rgb ThemeColour(int theme, int slot);
// Pen width of a slot: 2 for slots 50, 60, 61, 64 and 65, else 1.
int SlotPenWidth(int slot);
// The theme's name as the settings dialog lists it (UTF-8); the standard theme's name for an
// index outside 0-5.
const char* ThemeName(int theme);

}  // namespace korvale

#endif  // KORVALE_CHARTS_COLOUR_THEMES_H_
