// The "日々データ更新" dialog: the two options of a price update.
#ifndef KORVALE_UI_IMPORT_OPTIONS_DIALOG_H_
#define KORVALE_UI_IMPORT_OPTIONS_DIALOG_H_

#include <QDialog>

#include "acquisition/price_update_job.h"

class QCheckBox;

namespace korvale {

class CImportOptionsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CImportOptionsDlg(QWidget* parent = nullptr);
  // The boxes as the user left them (both clear when the dialog opens).
  ImportOptions options() const;
  QCheckBox* addUnregisteredBox() const { return addUnregistered_; }
  QCheckBox* completeUpdateBox() const { return completeUpdate_; }

 private:
  QCheckBox* addUnregistered_ = nullptr;
  QCheckBox* completeUpdate_ = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_IMPORT_OPTIONS_DIALOG_H_
