#include "config/ProfileFile_win.h"

#include "base/FilePath.h"
#include "base/IniFile_win.h"
#include "bindings/Profile.h"
#include "config/IniReplacement_win.h"
#include "config/SettingsFile_win.h"

namespace vantrel {

namespace {

// Only a change of the last profile rewrites the settings file.
void RecordInSettings(const std::string& profilePath) {
  IniReplacement settings(SettingsFile());
  RecordLastProfile(settings, profilePath);
  settings.Commit();
}

}  // namespace

void SaveProfileFile(const BindingTable& table, const std::string& path, bool recordAsLast) {
  IniReplacement file(path);
  SaveIni(table, file);
  file.Commit();
  if (recordAsLast) RecordInSettings(path);
}

void LoadProfileFile(BindingTable& table, const std::string& path, int skipEntry, RowView* rows,
                     bool recordAsLast) {
  if (!FitsFilePath(path)) return;  // names no file: nothing is loaded, nothing recorded
  PrivateProfile file(path);
  LoadIni(table, file, skipEntry, rows);
  if (recordAsLast) RecordInSettings(path);
}

}  // namespace vantrel
