// The six pages of the settings dialog "初期設定", in tab order: "日足チャート", "週足チャート",
// "月足チャート", "補助チャート", "一目均衡表", "その他". Each is a new widget whose controls are
// bound to their fields in `form`.
#ifndef KORVALE_UI_SETTINGS_PAGES_H_
#define KORVALE_UI_SETTINGS_PAGES_H_

class QString;
class QWidget;

namespace korvale {

class CSettingsForm;

// The tab label of page `page` (0-5).
QString SettingsPageLabel(int page);

// The page `page` (0-5; SettingsPage), its controls bound in `form`.
QWidget* MakeSettingsPage(int page, CSettingsForm* form);

// The pages one by one.
QWidget* MakeDailySettingsPage(CSettingsForm* form);
QWidget* MakeWeeklySettingsPage(CSettingsForm* form);
QWidget* MakeMonthlySettingsPage(CSettingsForm* form);
QWidget* MakeAuxiliarySettingsPage(CSettingsForm* form);
QWidget* MakeIchimokuSettingsPage(CSettingsForm* form);
QWidget* MakeOtherSettingsPage(CSettingsForm* form);

}  // namespace korvale

#endif  // KORVALE_UI_SETTINGS_PAGES_H_
