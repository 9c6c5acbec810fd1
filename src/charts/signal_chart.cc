#include "charts/signal_chart.h"

#include "charts/chart_kind.h"

namespace korvale {

namespace {

class SignalChart : public ChartKind {
 public:
  void Attach(CChartPainter& p, CPriceSeries& series) const override {
    p.Attach(series, kChartDaily);
  }
  int Width(const CChartPainter& p) const override { return p.signalCanvasWidth(); }
  void Draw(CChartPainter& p, Canvas& canvas) const override {
    static const SignalChartRows kNoRows;
    const SignalChartRows& rows = p.signalSource() ? p.signalSource()->Rows(p) : kNoRows;
    p.DrawSignalChart(canvas, rows.style, rows.rows, p.signalCanvasWidth(),
                      p.signalCanvasHeight());
  }
  ChartHit HitTest(const CChartPainter& p, int px, int py) const override {
    return p.HitTestSignal(px, py);
  }
  std::string Readout(const ChartHit& hit) const override { return ReadoutText(hit, false); }
  // The chart fills its canvas: the client size is the canvas size.
  void SetClientSize(CChartPainter& p, int width, int height) const override {
    p.SetSignalCanvasSize(width, height);
  }
};

}  // namespace

const ChartKind& SignalChartKind() {
  static const SignalChart kind;
  return kind;
}

}  // namespace korvale
