// What the user is told when a web download could not run, for the window and korvale-cli alike.
#ifndef KORVALE_APP_WEB_MESSAGES_H_
#define KORVALE_APP_WEB_MESSAGES_H_

#include <string>

namespace korvale {

// UTF-8. For a folder that cannot be written (networkError false, `detail` its file): "[file]"
// and the disk-access message. For a server that cannot be reached or did not answer with the
// page: the network message and, on a line of its own, `detail` (the address and the reason).
std::string WebProblemText(bool networkError, const std::string& detail);

}  // namespace korvale

#endif  // KORVALE_APP_WEB_MESSAGES_H_
