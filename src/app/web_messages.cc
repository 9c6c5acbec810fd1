#include "app/web_messages.h"

#include "app/user_messages.h"

namespace korvale {

std::string WebProblemText(bool networkError, const std::string& detail) {
  if (!networkError) return "[" + detail + "]" + kDiskAccessErrorMessage;
  return std::string(kNetworkErrorMessage) + (detail.empty() ? "" : "\n" + detail);
}

}  // namespace korvale
