#include "net/remote_mode_root.h"

#include <filesystem>
#include <vector>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/settings_record.h"

namespace korvale {

bool MakeRemoteModeRoot(const std::string& dir, const std::string& listUrl,
                        const std::string& sourceRoot, std::string* error) {
  SettingsRecord settings;
  ApplySettingsDefaults(&settings, dir);
  settings.dataSourceMode = settings.savedDataSourceMode = 1;
  if (!SetSettingsString(settings.peerServerUrl, listUrl) ||
      !SetSettingsString(settings.savedServerUrl, listUrl)) {
    if (error) *error = "the address is too long for the settings: " + listUrl;
    return false;
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::vector<uint8_t> dictionary;
  if (!ReadWholeFile(DictionaryFilePath(sourceRoot), &dictionary)) {
    if (error) *error = "cannot read " + DictionaryFilePath(sourceRoot);
    return false;
  }
  uint8_t image[kSettingsRecordSize];
  EncodeSettingsRecord(settings, image);
  return WriteFileAtomically(DictionaryFilePath(dir), dictionary.data(), dictionary.size(),
                             error) &&
         WriteFileAtomically(dir + "/" + kSettingsFileName, image, sizeof image, error);
}

}  // namespace korvale
