// Message texts of the store that the windows and the command line show to the user (UTF-8).
#ifndef KORVALE_STORE_USER_MESSAGES_H_
#define KORVALE_STORE_USER_MESSAGES_H_

namespace korvale {

// Shown (captioned "Error") when an output file cannot be created or written.
inline constexpr const char* kDiskAccessErrorMessage =
    "ディスクアクセスエラー。書き込み権限がない可能性があります。";

// Shown (captioned kServerErrorCaption) when a server cannot be reached or stops answering.
inline constexpr const char* kServerConnectErrorMessage = "WWWサーバと接続できませんでした。";
inline constexpr const char* kServerErrorCaption = "Server Error";

}  // namespace korvale

#endif  // KORVALE_STORE_USER_MESSAGES_H_
