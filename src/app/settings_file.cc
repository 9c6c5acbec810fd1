#include "app/settings_file.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "store/file_io.h"
#include "store/settings_sanity.h"

namespace korvale {

std::string DefaultRootDirStorePath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : ".") + "/.config";
  }
  return base + "/korvale/RootDir";
}

bool ReadStoredRootDir(const std::string& storePath, std::string* value) {
  std::vector<uint8_t> data;
  if (!ReadWholeFile(storePath, &data, 4096)) return false;
  std::string text(data.begin(), data.end());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (text.empty() || text.size() > 127 || text.find('\0') != std::string::npos) return false;
  *value = text;
  return true;
}

bool WriteStoredRootDir(const std::string& storePath, const std::string& value,
                        std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(storePath).parent_path(), ec);
  std::string text = value + "\n";
  return WriteFileAtomically(storePath, text.data(), text.size(), error);
}

bool LoadSettingsAtStart(const std::string& currentDir, const std::string& rootStorePath,
                         SettingsRecord* rec, std::string* error,
                         std::vector<SettingsMend>* mends) {
  ApplySettingsDefaults(rec, "");
  std::vector<uint8_t> data;
  if (ReadFileHead(currentDir + "/" + kSettingsFileName, kSettingsRecordSize, &data)) {
    DecodeSettingsRecord(data.data(), data.size(), rec);
    if (rec->formatVersion != kSettingsFormatVersion) ApplySettingsDefaults(rec, "");
  }
  // The file keeps what it holds until the next save; only the record in memory is mended.
  std::vector<SettingsMend> mended = BringSettingsIntoRange(rec);
  if (mends) *mends = std::move(mended);
  bool ok = SetSettingsString(rec->dataRootDir, currentDir) &&
            SetSettingsString(rec->workDir, currentDir);
  if (!ok) {
    ApplySettingsDefaults(rec, "");
    if (error) {
      *error = "The data folder path is longer than 127 bytes: " + currentDir;
    }
  }
  std::string stored;
  if (!ReadStoredRootDir(rootStorePath, &stored)) stored = ".";
  SetSettingsString(rec->savedRootDir, stored);
  if (rec->dataSourceMode != 0) rec->useIndexAnalysis = 0;
  return ok;
}

void SavedSettingsImage(const SettingsRecord& rec, uint8_t* out) {
  SettingsRecord saved = rec;
  saved.dataSourceMode = rec.savedDataSourceMode;
  std::memcpy(saved.peerServerUrl, rec.savedServerUrl, sizeof saved.peerServerUrl);
  std::memcpy(saved.dataRootDir, rec.savedRootDir, sizeof saved.dataRootDir);
  EncodeSettingsRecord(saved, out);
}

bool SaveSettings(const SettingsRecord& rec, const std::string& rootStorePath,
                  std::string* error) {
  uint8_t image[kSettingsRecordSize];
  SavedSettingsImage(rec, image);
  const std::string root(rec.dataRootDir, strnlen(rec.dataRootDir, sizeof rec.dataRootDir));
  if (!WriteFileAtomically(root + "/" + kSettingsFileName, image, sizeof image, error)) {
    return false;
  }
  const std::string chosen(rec.savedRootDir, strnlen(rec.savedRootDir, sizeof rec.savedRootDir));
  std::string stored;
  if (ReadStoredRootDir(rootStorePath, &stored) && stored == chosen) return true;
  return WriteStoredRootDir(rootStorePath, chosen, error);
}

}  // namespace korvale
