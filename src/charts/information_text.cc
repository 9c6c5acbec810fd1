#include "charts/information_text.h"

#include <cstring>
#include <string>

#include "charts/pane_drawing.h"
#include "store/cp932.h"

namespace korvale {

namespace {

constexpr int kLineHeight = 20;

}  // namespace

void DrawInformationLine(Canvas& canvas, int y, int width, const std::string& utf8) {
  canvas.FillRect(0, y, width, y + kLineHeight, Brush{0xFFFFFF});
  canvas.SetTextColour(0x000000);
  canvas.SetTextBackground(0xFFFFFF);
  canvas.TextOut(0, y + (kLineHeight - canvas.TextHeight()) / 2, utf8);
}

void DrawInformationText(Canvas& canvas, const SettingsRecord& settings, int stockCount,
                         int lastYear, int lastMonth, int lastDay) {
  canvas.SelectFont(LabelFont{});
  DrawInformationLine(canvas, 0, 420, "Korvale 株価チャートとスクリーニング");
  DrawInformationLine(canvas, 20, 420, "情報: README.md をご覧ください");
  switch (settings.dataSourceMode) {
    case 0:
      DrawInformationLine(canvas, 40, 420, StringPrintf("登録銘柄数：%d", stockCount));
      DrawInformationLine(canvas, 60, 420,
                          StringPrintf("データ最終更新日：%d/%d/%d", lastYear, lastMonth, lastDay));
      break;
    case 1: {
      const size_t length = strnlen(settings.peerServerUrl, sizeof settings.peerServerUrl);
      DrawInformationLine(
          canvas, 40, 620,
          "株価データ：" + Cp932ToUtf8(std::string(settings.peerServerUrl, length)));
      break;
    }
    case 2:
      DrawInformationLine(canvas, 40, 620, "株価データ：Yahoo! Finance.");
      break;
    default:
      break;
  }
}

}  // namespace korvale
