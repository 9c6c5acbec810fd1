// A data root in remote mode, made for trying a peer: the client side of `korvale-cli serve`.
#ifndef KORVALE_NET_REMOTE_MODE_ROOT_H_
#define KORVALE_NET_REMOTE_MODE_ROOT_H_

#include <string>

namespace korvale {

// Makes `dir` a data root in remote mode that reads from the stock page `listUrl`: the settings
// file with dataSourceMode 1 and peerServerUrl (in effect and saved), and a copy of
// `sourceRoot`'s stock dictionary for the names, markets and industries a peer does not send.
// False with a reason when a file cannot be written or the address does not fit the settings.
bool MakeRemoteModeRoot(const std::string& dir, const std::string& listUrl,
                        const std::string& sourceRoot, std::string* error);

}  // namespace korvale

#endif  // KORVALE_NET_REMOTE_MODE_ROOT_H_
