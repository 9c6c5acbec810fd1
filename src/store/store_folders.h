// Where the per-stock files live below the data root, and the once-per-run folder creation.
#ifndef KORVALE_STORE_STORE_FOLDERS_H_
#define KORVALE_STORE_STORE_FOLDERS_H_

#include <set>
#include <string>

namespace korvale {

// "<folder>/KD%04d.KDT", "<folder>/SZ%04d.SDT" and "<folder>/LN%04d.DAT".
std::string PriceFileName(const std::string& folder, int code);
std::string MarginFileName(const std::string& folder, int code);
std::string LineFileName(const std::string& lineFolder, int code);
// "<folder>/" followed by `format` (a printf format of one %d) filled with `code`, into `out`,
// reusing its capacity: for loops over thousands of stocks.
void AssignCodeFile(std::string* out, const std::string& folder, const char* format, int code);

// "<root>/Data/LINE" and "<root>/Data/SZ": the folders of the trend-line files and of the
// margin files of stocks that had none.
std::string LineFolderOf(const std::string& dataRootDir);
std::string MarginFolderOf(const std::string& dataRootDir);

// Thousand-block of a code: (code / 1000) * 1000, so 7203 lives in Data/7000.
int ThousandBlock(int code);

// Makes the data folders on first use. One flag per folder (the data folder, each thousand-block,
// the LINE and SZ folders) records that creation was attempted, so each folder is created at
// most once per run; a folder the user removes meanwhile is not made again. In data-source
// mode 2 no folder is created, but the paths are still returned. The application keeps one of
// these for the whole run.
class CFolderPreparer {
 public:
  CFolderPreparer(std::string dataRootDir, int dataSourceMode)
      : root_(std::move(dataRootDir)), mode_(dataSourceMode) {}

  // The data root the folders are made below.
  const std::string& root() const { return root_; }
  // Returns "<root>/Data/%04d" for the code's thousand-block.
  std::string PrepareStockFolder(int code);
  // Returns "<root>/Data/LINE".
  std::string PrepareLineFolder();
  // Returns "<root>/Data/SZ", the home of margin files of stocks that have none yet.
  std::string PrepareMarginFolder();

 private:
  void PrepareDataFolder();
  void PrepareOnce(const std::string& path, bool* prepared);

  std::string root_;
  int mode_;
  bool dataPrepared_ = false;
  bool linePrepared_ = false;
  bool marginPrepared_ = false;
  std::set<int> blocksPrepared_;
};

}  // namespace korvale

#endif  // KORVALE_STORE_STORE_FOLDERS_H_
