// How a command names a screening rule: by its name in the rule list, or by a rule file's path.
#ifndef KORVALE_CLI_RULE_ARGUMENT_H_
#define KORVALE_CLI_RULE_ARGUMENT_H_

#include <string>

#include "app/app_context.h"
#include "screening/condition_set.h"

namespace korvale::cli {

// True for an argument that names a file: it holds '/' or ends in ".erl" (any case).
bool LooksLikePath(const std::string& arg);

// The rule named by NAME (a rule of the context's list) or PATH (a rule file anywhere, read over
// a new set named after the file). Prints the reason and returns false when there is none.
bool ResolveRule(const CAppContext& context, const std::string& arg, ConditionSet* out);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_RULE_ARGUMENT_H_
