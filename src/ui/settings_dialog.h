// The modal settings dialog "初期設定": six pages editing every user-visible field of the
// settings record. OK applies the values in memory; "設定を保存" applies them and saves the
// settings file; キャンセル changes nothing.
#ifndef KORVALE_UI_SETTINGS_DIALOG_H_
#define KORVALE_UI_SETTINGS_DIALOG_H_

#include <QDialog>
#include <string>

#include "store/settings_record.h"

class QPushButton;
class QTabWidget;

namespace korvale {

class CKorvaleApp;
class CSettingsForm;

class CSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits a copy of `settings`, opened at page `page` (SettingsPage, 0-5; another number opens
  // page 0). "設定を保存" writes Korvale2.INI into settings.dataRootDir and the chosen root
  // folder into `rootStorePath`.
  CSettingsDialog(const SettingsRecord& settings, int page, std::string rootStorePath,
                  QWidget* parent = nullptr);

  // Runs the dialog modally at `page` over `parent` on the application's settings. After OK or
  // "設定を保存" the application's record holds the dialog's values and true is returned: the
  // caller then lets its chart painter take a copy of the record and repaints its views. False
  // after キャンセル, with nothing changed. The Ichimoku window opens it at
  // kSettingsPageIchimoku, the price-table window at kSettingsPageAuxiliary.
  static bool Edit(CKorvaleApp* app, int page, QWidget* parent);

  // The page the main window opens the dialog at for a chart period (32772-32774): weekly and
  // monthly have their own pages, anything else opens the daily page.
  static int PageOfChart(int chartPeriod);

  // The record the dialog was opened with, and once OK or "設定を保存" closed it, with the
  // dialog's values applied.
  const SettingsRecord& record() const { return record_; }
  // True once "設定を保存" wrote the settings file.
  bool saved() const { return saved_; }

  QTabWidget* tabs() const { return tabs_; }
  CSettingsForm* form() const { return form_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* saveButton() const { return save_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  // The record with every page's values applied, into `out`. On a refused value: its page is
  // shown, the range message given and the focus left on the field; returns false.
  bool collect(SettingsRecord* out);
  void acceptValues();
  void saveValues();
  void showPage(int page);

  SettingsRecord record_;
  std::string rootStorePath_;
  bool saved_ = false;
  CSettingsForm* form_;
  QTabWidget* tabs_;
  QPushButton* ok_;
  QPushButton* save_;
  QPushButton* cancel_;
};

}  // namespace korvale

#endif  // KORVALE_UI_SETTINGS_DIALOG_H_
