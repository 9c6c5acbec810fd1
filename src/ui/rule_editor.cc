#include "ui/rule_editor.h"

#include <QVBoxLayout>

#include "ui/technical_panel.h"

namespace korvale {

CRuleEditor::CRuleEditor(CRuleList* rules, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // No main document: the editor edits and saves rules but never runs one.
  panel_ = new CTechnicalPanel(rules, nullptr, CTechnicalPanel::Place::kEditor, this);
  layout->addWidget(panel_);
  setFixedSize(kViewSize, kViewSize);
}

}  // namespace korvale
