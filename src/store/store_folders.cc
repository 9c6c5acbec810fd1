#include "store/store_folders.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace korvale {

namespace {
std::string CodeFile(const std::string& folder, const char* format, int code) {
  std::string path;
  AssignCodeFile(&path, folder, format, code);
  return path;
}
}  // namespace

void AssignCodeFile(std::string* out, const std::string& folder, const char* format, int code) {
  char name[32];
  std::snprintf(name, sizeof name, format, code);
  out->assign(folder);
  out->push_back('/');
  out->append(name);
}

std::string LineFolderOf(const std::string& dataRootDir) { return dataRootDir + "/Data/LINE"; }
std::string MarginFolderOf(const std::string& dataRootDir) { return dataRootDir + "/Data/SZ"; }

std::string PriceFileName(const std::string& folder, int code) {
  return CodeFile(folder, "KD%04d.KDT", code);
}
std::string MarginFileName(const std::string& folder, int code) {
  return CodeFile(folder, "SZ%04d.SDT", code);
}
std::string LineFileName(const std::string& lineFolder, int code) {
  return CodeFile(lineFolder, "LN%04d.DAT", code);
}

int ThousandBlock(int code) { return (code / 1000) * 1000; }

void CFolderPreparer::PrepareOnce(const std::string& path, bool* prepared) {
  if (*prepared) return;
  *prepared = true;
  if (mode_ == 2) return;
  std::error_code ec;  // a failure shows up later, when the file in it cannot be opened
  std::filesystem::create_directory(path, ec);
}

void CFolderPreparer::PrepareDataFolder() { PrepareOnce(root_ + "/Data", &dataPrepared_); }

std::string CFolderPreparer::PrepareStockFolder(int code) {
  PrepareDataFolder();
  char block[16];
  std::snprintf(block, sizeof block, "%04d", ThousandBlock(code));
  std::string path = root_ + "/Data/" + block;
  bool prepared = blocksPrepared_.count(code / 1000) > 0;
  PrepareOnce(path, &prepared);
  blocksPrepared_.insert(code / 1000);
  return path;
}

std::string CFolderPreparer::PrepareLineFolder() {
  PrepareDataFolder();
  std::string path = LineFolderOf(root_);
  PrepareOnce(path, &linePrepared_);
  return path;
}

std::string CFolderPreparer::PrepareMarginFolder() {
  PrepareDataFolder();
  std::string path = MarginFolderOf(root_);
  PrepareOnce(path, &marginPrepared_);
  return path;
}

}  // namespace korvale
