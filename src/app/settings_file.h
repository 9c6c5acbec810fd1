// Loading the settings record at start and saving it from the settings dialog, with the stored
// root folder that pre-fills the dialog's local root field.
#ifndef KORVALE_APP_SETTINGS_FILE_H_
#define KORVALE_APP_SETTINGS_FILE_H_

#include <string>
#include <vector>

#include "store/settings_record.h"
#include "store/settings_sanity.h"

namespace korvale {

// The file that keeps the root folder the user chose: $XDG_CONFIG_HOME/korvale/RootDir, or
// ~/.config/korvale/RootDir.
std::string DefaultRootDirStorePath();

// Reads the stored root folder. False when the file is missing, unreadable, empty or holds a
// value longer than 127 bytes.
bool ReadStoredRootDir(const std::string& storePath, std::string* value);
// Writes the stored root folder (creating its folder). False with a reason on failure.
bool WriteStoredRootDir(const std::string& storePath, const std::string& value,
                        std::string* error);

// The load at start: defaults, then up to 1448 bytes of `<currentDir>/Korvale2.INI` (defaults
// again when its version differs), then dataRootDir and workDir from currentDir, savedRootDir
// from the stored root folder ("." when none), and index analysis off outside local mode. The
// periods and sizes read are brought into their sane ranges (store/settings_sanity.h), one
// mend per field changed into `mends` (may be null); the file itself is not rewritten.
// False, with a message in `error`, when currentDir does not fit the record's folder fields;
// the record then holds the defaults with the folders unset.
bool LoadSettingsAtStart(const std::string& currentDir, const std::string& rootStorePath,
                         SettingsRecord* rec, std::string* error,
                         std::vector<SettingsMend>* mends = nullptr);

// The save: writes `<dataRootDir>/Korvale2.INI` with the three saved fields in the slots of the
// values in effect (the record in memory is unchanged), then the stored root folder when it
// differs from savedRootDir. False, with a reason, when either write fails; a failed write of
// the settings file leaves the old file intact.
bool SaveSettings(const SettingsRecord& rec, const std::string& rootStorePath,
                  std::string* error);

// The 1448-byte image the save writes.
void SavedSettingsImage(const SettingsRecord& rec, uint8_t* out);

}  // namespace korvale

#endif  // KORVALE_APP_SETTINGS_FILE_H_
