// The OK / キャンセル row at the foot of the program's small dialogs.
#ifndef KORVALE_UI_DIALOG_BUTTONS_H_
#define KORVALE_UI_DIALOG_BUTTONS_H_

class QBoxLayout;
class QDialog;
class QDialogButtonBox;

namespace korvale {

// Adds OK and キャンセル to the end of `layout`, wired to the dialog's accept (virtual, so a
// dialog that checks its fields first does so) and reject. Returns the row.
QDialogButtonBox* AddOkCancelButtons(QDialog* dialog, QBoxLayout* layout);

}  // namespace korvale

#endif  // KORVALE_UI_DIALOG_BUTTONS_H_
