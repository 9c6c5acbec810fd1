#include "screening/analize_rule_report_doc.h"

#include <algorithm>

#include "screening/c_locale_text.h"
#include "store/cp932.h"

namespace korvale {

namespace {

constexpr size_t kNameFieldBytes = 18;

// A literal of the program as the report file holds it.
std::string Cp932(const char* utf8) { return Utf8ToCp932(utf8); }

}  // namespace

double OutcomePercent(int32_t count, int32_t events) {
  if (events == 0) return 0;
  return static_cast<double>(count) / static_cast<double>(events) * 100;
}

std::string ReportNameField(const std::string& cp932Name) {
  static const std::string kSpaces = Cp932("　　　　　　　　　");  // 18 bytes
  std::string field = kSpaces;
  const std::string name = cp932Name.substr(0, cp932Name.find('\0'));
  const size_t length = Cp932PrefixLength(name, kNameFieldBytes);
  field.replace(0, length, name, 0, length);
  // An odd length ends in the middle of an ideographic space: its second byte becomes a
  // half-width space, so no double-byte space is split.
  if (length % 2 == 1) field[length] = ' ';
  return field;
}

CAnalizeRuleReportDoc::CAnalizeRuleReportDoc(const ValidationParams& params,
                                             std::vector<std::string> names,
                                             std::vector<OutcomeCounters> counters)
    : params_(params), names_(std::move(names)), counters_(std::move(counters)) {
  counters_.resize(names_.size() + 1);
}

std::string CAnalizeRuleReportDoc::LineName(int line) const {
  if (line <= 0) return Cp932(kBaselineName);
  const std::string& name = names_[static_cast<size_t>(line - 1)];
  return name.substr(0, name.find('\0'));
}

std::string CAnalizeRuleReportDoc::CriterionText() const {
  return FormatC(params_.afterMode ? "%d日後に%d%%以上上昇または%d%%以上下落"
                                   : "%d日以内に%d%%以上上昇または%d%%以上下落",
                 params_.horizonDays, params_.risePercent, params_.fallPercent);
}

std::string CAnalizeRuleReportDoc::PeriodText() const {
  if (params_.wholePeriod) return "蓄積データ全期間";
  return FormatC("%d年%d月～%d年%d月", params_.fromYear, params_.fromMonth, params_.toYear,
                 params_.toMonth);
}

std::string CAnalizeRuleReportDoc::UniverseText() const {
  return FormatC("値付き率%d%%以上の銘柄", params_.tradedPercent);
}

std::string CAnalizeRuleReportDoc::ViewLine(int line) const {
  const OutcomeCounters& c = counters_[static_cast<size_t>(line)];
  const std::string name =
      line == 0 ? Cp932("全事象　　　　　　") : ReportNameField(LineName(line));
  return FormatC("%-20s\t%8ld\t%4.1f%%\t%4.1f%%\t%4.1f%%", name.c_str(),
                 static_cast<long>(c.events), OutcomePercent(c.rises, c.events),
                 OutcomePercent(c.neutrals, c.events), OutcomePercent(c.falls, c.events));
}

std::string CAnalizeRuleReportDoc::FileText() const {
  // Written as a text file: each "\n" of the lines stands on disk as CR LF, as in every text
  // file of the program.
  std::string text = Cp932("評価基準：") + Utf8ToCp932(CriterionText()) + "\r\n";
  text += Cp932("検証期間：") + Utf8ToCp932(PeriodText()) + "\r\n";
  text += Cp932("評価対象：") + Utf8ToCp932(UniverseText()) + "\r\n\r\n";
  for (int line = 0; line < lineCount(); ++line) {
    const OutcomeCounters& c = counters_[static_cast<size_t>(line)];
    text += FormatC("%-20s, %8ld, %4.1f%%, %4.1f%%, %4.1f%%", LineName(line).c_str(),
                    static_cast<long>(c.events), OutcomePercent(c.rises, c.events),
                    OutcomePercent(c.neutrals, c.events), OutcomePercent(c.falls, c.events));
    text += "\r\n";
  }
  return text;
}

}  // namespace korvale
