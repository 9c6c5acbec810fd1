// Where korvale-cli finds the stocks: the stock dictionary of the data root, built as the
// program builds it at start in the settings' data-source mode. Every command that opens the
// dictionary or a stock's price file comes through here and through store/stock_files.h, so a
// remote-mode data root reads from its peer in all of them.
#ifndef KORVALE_CLI_STOCK_SOURCE_H_
#define KORVALE_CLI_STOCK_SOURCE_H_

#include <memory>

#include "store/settings_record.h"
#include "store/stock_dictionary.h"

namespace korvale::cli {

// The dictionary of `settings`: the local scan of dataRootDir, or in remote mode (dataSourceMode
// 1) the peer's stock page at peerServerUrl, fetched with the settings' proxy ("Webサーバ接続中"
// on stderr; Ctrl-C stops it). A dictionary file that cannot be created is reported and the
// stocks keep their codes for names. Prints the reason and returns null when the peer's list
// does not arrive whole: a command must not work on part of it.
std::unique_ptr<CStockDictionary> OpenStockDictionary(const SettingsRecord& settings);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_STOCK_SOURCE_H_
