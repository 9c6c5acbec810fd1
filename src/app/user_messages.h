// The texts the windows and the command line show to the user (UTF-8): messages, captions
// and labels that more than one front end or window uses. Literals a single window owns stay in
// that window.
#ifndef KORVALE_APP_USER_MESSAGES_H_
#define KORVALE_APP_USER_MESSAGES_H_

namespace korvale {

// --- Errors.
// The caption of every error box.
inline constexpr const char* kErrorCaption = "Error";
// Shown when an output file cannot be created or written.
inline constexpr const char* kDiskAccessErrorMessage =
    "ディスクアクセスエラー。書き込み権限がない可能性があります。";
// Shown when a download cannot reach its server, captioned kServerErrorCaption.
inline constexpr const char* kNetworkErrorMessage = "WWWサーバと接続できませんでした。";
inline constexpr const char* kServerErrorCaption = "Server Error";
// Shown when the Plug-ins folder holds libraries but none gave an import source.
inline constexpr const char* kNoImportSourceMessage =
    "Plug-insフォルダのライブラリから取り込み元を作れませんでした。";

// --- The price and margin updates.
inline constexpr const char* kPriceUpdateCaption = "株価データ更新中";
inline constexpr const char* kMarginUpdateCaption = "信用残データ更新中";
inline constexpr const char* kImportOptionsCaption = "日々データ更新";
inline constexpr const char* kAddUnregisteredLabel = "未登録データは追加登録する";
inline constexpr const char* kCompleteUpdateLabel = "完全更新する（処理時間は遅い）";
inline constexpr const char* kZentakDictionaryUpdateMenu = "Zentakファイルから辞書更新";

// --- Web mode: the texts of the two download dialogs.
inline constexpr const char* kStockDownloadCaption = "株価データ取得中";
inline constexpr const char* kFetchListCaption = "Webサーバ接続中";

// --- The analysis batch.
inline constexpr const char* kAnalysisDialogCaption = "株価分析";
inline constexpr const char* kAnalyseLatestText = "今日の分析";
inline constexpr const char* kUsePreviousText = "前回の分析結果を使用";
inline constexpr const char* kAnalyseAsOfText = "日を指定して分析";
inline constexpr const char* kBatchProgressCaption = "株価データ分析中";

// --- The rule validation report and the signal chart.
inline constexpr const char* kValidationCommandText = "抽出条件の検証";
inline constexpr const char* kValidationStatusText = "銘柄抽出条件の検証レポートを得る";
inline constexpr const char* kValidationProgressCaption = "抽出条件評価中";
inline constexpr const char* kSignalChartTitle = "抽出条件可視化チャート";

}  // namespace korvale

#endif  // KORVALE_APP_USER_MESSAGES_H_
