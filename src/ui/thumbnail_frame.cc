#include "ui/thumbnail_frame.h"

#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTimer>

#include "ui/thumbnail_view.h"

namespace korvale {

CThumbnailFrame::CThumbnailFrame(const SettingsRecord& settings, const CStockDictionary& dictionary,
                                 QWidget* parent)
    : QMainWindow(parent, Qt::Window), dictionary_(dictionary) {
  setObjectName("thumbnailFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  view_ = new CThumbnailView(settings, dictionary, this);
  setCentralWidget(view_);
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  file->addAction("閉じる(&C)", this, &QWidget::close);
  connect(view_, &CTableView::CellClicked, this, &CThumbnailFrame::StockChosen);
  // After the user resized the window it snaps to whole cells once the resize is over.
  connect(view_, &CTableView::GridFitted, this,
          [this] { QTimer::singleShot(0, this, &CThumbnailFrame::fitToGrid); });
  updateTitle();
  // About the first size; once shown, the window fits it to the settings' cells exactly.
  const int frame = 2 * view_->frameWidth();
  resize(view_->grid().fittedWidth() + frame + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
         view_->grid().fittedHeight() + frame + menuBar()->sizeHint().height());
}

void CThumbnailFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  QTimer::singleShot(0, this, [this] {
    fitToGrid();
    view_->FitCellsToClient();
  });
}

void CThumbnailFrame::ShowList(const ShownStockList& list) {
  doc_.SetList(dictionary_, list);
  view_->ShowEntries(doc_.entries());
  updateTitle();
}

void CThumbnailFrame::SetTitle(const QString& title) {
  doc_.SetTitle(title.toStdString());
  updateTitle();
}

void CThumbnailFrame::ApplySettings(const SettingsRecord& settings) {
  view_->ApplySettings(settings);
  fitToGrid();
}

void CThumbnailFrame::updateTitle() {
  setWindowTitle(doc_.title().empty() ? QString("日足サムネイル")
                                      : QString::fromStdString(doc_.title()));
}

void CThumbnailFrame::fitToGrid() {
  if (isMaximized() || isFullScreen()) return;
  const CTableGrid& grid = view_->grid();
  const QSize wanted(grid.fittedWidth(), grid.fittedHeight());
  const QSize client = view_->viewport()->size();
  if (client == wanted || client.isEmpty()) return;
  resize(size() - client + wanted);
}

}  // namespace korvale
