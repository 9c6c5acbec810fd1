#include "screening/screening_run.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "screening/condition_catalogue.h"
#include "screening/result_rows.h"

namespace korvale {

void RunRule(const ConditionSet& set, const CAnalysisStore& store,
             const CStockDictionary& dictionary, ShownStockList* out) {
  out->title.assign(set.name, strnlen(set.name, sizeof set.name));
  out->rows.clear();
  for (const AnalysisRecord& record : store.Records()) {
    if (ListedByScreening(set, record)) AppendRecordRow(dictionary, record.stockIndex, out);
  }
}

bool ReadThresholdText(const std::string& text, double* value) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return false;
  const size_t end = text.find_last_not_of(" \t") + 1;
  const bool plus = text[begin] == '+';
  if (plus) ++begin;
  // Only plain decimal numbers: no exponent, no "inf" or "nan", no hexadecimal.
  for (size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (!(c >= '0' && c <= '9') && c != '.' && !(c == '-' && i == begin && !plus)) return false;
  }
  double parsed;
  const auto r =
      std::from_chars(text.data() + begin, text.data() + end, parsed, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != text.data() + end || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

}  // namespace korvale
