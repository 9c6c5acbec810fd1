// The window of a rule validation report ("抽出条件の検証レポート", 440 × 280): the report's form
// and its menu entry "リストを保存(&S)", which saves the report file like the form's button.
#ifndef KORVALE_UI_ANALIZE_RULE_REPORT_WND_H_
#define KORVALE_UI_ANALIZE_RULE_REPORT_WND_H_

#include <QMainWindow>
#include <QString>
#include <memory>

#include "screening/analize_rule_report_doc.h"

class QAction;

namespace korvale {

class CAnalizeRuleReportView;

class CAnalizeRuleReportWnd : public QMainWindow {
  Q_OBJECT

 public:
  // Takes the report; deletes itself when it closes.
  explicit CAnalizeRuleReportWnd(std::unique_ptr<CAnalizeRuleReportDoc> doc,
                                 QWidget* parent = nullptr);
  ~CAnalizeRuleReportWnd() override;

  const CAnalizeRuleReportDoc& document() const { return *doc_; }
  CAnalizeRuleReportView* view() const { return view_; }
  QAction* saveAction() const { return save_; }

  // "ファイルに保存": asks for the file (proposing "analize1.txt", asking before overwriting)
  // and saves there; a file that cannot be written is reported.
  void Save();
  // Writes the report file at `path`, replacing it atomically. False with the reason.
  bool SaveTo(const QString& path, QString* error) const;

 private:
  std::unique_ptr<CAnalizeRuleReportDoc> doc_;
  CAnalizeRuleReportView* view_;
  QAction* save_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALIZE_RULE_REPORT_WND_H_
