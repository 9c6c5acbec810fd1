// The rule validation report: the parameters, the rule names and the counters of a finished
// back-test, and the texts the report window shows and "ファイルに保存" writes.
#ifndef KORVALE_SCREENING_ANALIZE_RULE_REPORT_DOC_H_
#define KORVALE_SCREENING_ANALIZE_RULE_REPORT_DOC_H_

#include <string>
#include <vector>

#include "screening/backtest.h"

namespace korvale {

// The name of the baseline line, which counts every bar (UTF-8).
inline constexpr const char* kBaselineName = "全事象";

class CAnalizeRuleReportDoc {
 public:
  // The report of a back-test with `params`: `names` are the rules' names (cp932) as they stood
  // when the batch started, `counters` the baseline followed by one entry per name. A report
  // keeps its own copy of both, so a rule list that changes later cannot misalign it.
  CAnalizeRuleReportDoc(const ValidationParams& params, std::vector<std::string> names,
                        std::vector<OutcomeCounters> counters);

  const ValidationParams& params() const { return params_; }
  // The lines: entry 0 the baseline, entry j + 1 rule j.
  int lineCount() const { return static_cast<int>(counters_.size()); }
  const OutcomeCounters& counters(int line) const { return counters_[line]; }
  // The name of a line in cp932: "全事象" for the baseline, else the rule's full name.
  std::string LineName(int line) const;

  // "%d日後に%d%%以上上昇または%d%%以上下落" or "%d日以内に…" (UTF-8).
  std::string CriterionText() const;
  // "蓄積データ全期間" or "%d年%d月～%d年%d月" (UTF-8).
  std::string PeriodText() const;
  // "値付き率%d%%以上の銘柄" (UTF-8).
  std::string UniverseText() const;

  // A line of the report window in cp932: the name over a field of nine ideographic spaces
  // (at most 18 bytes of it, with a half-width space after an odd length), then events and
  // the three percentages, tab-separated: "%-20s\t%8ld\t%4.1f%%\t%4.1f%%\t%4.1f%%".
  std::string ViewLine(int line) const;
  // The whole report file in cp932, lines ended CR LF: "評価基準：", "検証期間：",
  // "評価対象：" lines, an empty line, then "%-20s, %8ld, %4.1f%%, %4.1f%%, %4.1f%%" per line.
  std::string FileText() const;

 private:
  ValidationParams params_;
  std::vector<std::string> names_;
  std::vector<OutcomeCounters> counters_;
};

// rises, neutrals or falls as a percentage of events; 0 when there are no events.
double OutcomePercent(int32_t count, int32_t events);

// The name field of a report window line (cp932): the first min(length, 18) bytes of `name`
// over nine ideographic spaces, a half-width space after an odd length. A cut at 18 bytes that
// would split a double-byte character is made one byte earlier.
std::string ReportNameField(const std::string& cp932Name);

}  // namespace korvale

#endif  // KORVALE_SCREENING_ANALIZE_RULE_REPORT_DOC_H_
