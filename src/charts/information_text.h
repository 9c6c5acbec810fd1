// What the chart view shows when no stock is loaded: two title lines and the state of the data
// source.
#ifndef KORVALE_CHARTS_INFORMATION_TEXT_H_
#define KORVALE_CHARTS_INFORMATION_TEXT_H_

#include <string>

#include "charts/canvas.h"
#include "store/settings_record.h"

namespace korvale {

// Writes the lines in boxes 20 pixels high from x = 0: the titles (420 wide, at y 0 and 20),
// then by dataSourceMode: 0 "登録銘柄数：%d" with `stockCount` (y 40) and "データ最終更新日：
// %d/%d/%d" with the last update date (y 60), both 420 wide; 1 "株価データ：%s" with
// peerServerUrl (y 40, 620 wide); 2 "株価データ：Yahoo! Finance." (y 40, 620 wide).
// One line of such text: a box 20 pixels high and `width` wide at y in the window colours, the
// text at its left.
void DrawInformationLine(Canvas& canvas, int y, int width, const std::string& utf8);

void DrawInformationText(Canvas& canvas, const SettingsRecord& settings, int stockCount,
                         int lastYear, int lastMonth, int lastDay);

}  // namespace korvale

#endif  // KORVALE_CHARTS_INFORMATION_TEXT_H_
