// The fixed measures every chart is laid out with, and the marker of a missing index value.
#ifndef KORVALE_CHARTS_CHART_METRICS_H_
#define KORVALE_CHARTS_CHART_METRICS_H_

namespace korvale {

inline constexpr int kLabelColumn = 100;  // pixels reserved for scale labels
inline constexpr int kBarPitch = 4;       // pixels per bar
inline constexpr int kHistogramWidth = 100;

// What the index-correlation series hold where they have no value.
inline constexpr double kIndexValueMissing = -1000;

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_METRICS_H_
