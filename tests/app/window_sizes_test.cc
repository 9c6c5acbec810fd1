#include "app/window_sizes.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(WindowSizesTest, AClosingWindowLeavesASizeTheDialogAcceptsAndOpensAtIt) {
  SettingsRecord s;
  ApplySettingsDefaults(&s, "/x");
  EXPECT_EQ(StoredWindowSize(s, KeptWindow::kIchimoku).width, 0);  // not set: default size
  KeepWindowSize(&s, KeptWindow::kIchimoku, 900, 5000);
  EXPECT_EQ(s.ichimokuWindowWidth, 900);
  EXPECT_EQ(s.ichimokuWindowHeight, 2400);  // brought into the dialog's range
  EXPECT_EQ(StoredWindowSize(s, KeptWindow::kIchimoku).height, 2400);
  KeepWindowSize(&s, KeptWindow::kSignal, 100, 700);
  EXPECT_EQ(s.signalWindowWidth, 320);
  EXPECT_EQ(s.dailyWindowWidth, 0);               // each window its own fields
  KeepWindowSize(&s, KeptWindow::kMain, 0, 700);  // never shown: nothing kept
  EXPECT_EQ(s.dailyWindowHeight, 0);
  KeepWindowSize(&s, KeptWindow::kMain, 1000, 700);
  EXPECT_EQ(InitialMainWindowSize(s, 1920, 1080).width, 1000);
  s.dailyWindowHeight = 0;  // both must be set
  EXPECT_EQ(StoredWindowSize(s, KeptWindow::kMain).width, 0);
}

}  // namespace
}  // namespace korvale
