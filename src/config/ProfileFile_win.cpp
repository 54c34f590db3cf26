#include "config/ProfileFile_win.h"

#include <windows.h>

#include "base/Errors.h"
#include "base/IniFile_win.h"
#include "bindings/Profile.h"
#include "config/SettingsFile_win.h"

namespace vantrel {

namespace {

void RecordInSettings(const std::string& profilePath) {
  PrivateProfile settings(SettingsFile());
  RecordLastProfile(settings, profilePath);
}

// A unique, empty file in the target's folder, so that the final rename
// never crosses volumes.
std::string TempFileBeside(const std::string& target) {
  std::string dir = FileNamePart(target, "path");
  if (dir.empty()) dir = ".";
  char name[MAX_PATH];
  if (!GetTempFileNameA(dir.c_str(), "vtl", 0, name)) throw UnableToWrite(target);
  return name;
}

void ReplaceWith(const std::string& target, const std::string& temp) {
  // One rename within the folder: the target is either the old file or the
  // new one, never half written. (ReplaceFile would keep the old file's
  // attributes, but some implementations leave a stray file when it fails.)
  if (!MoveFileExA(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw UnableToWrite(target);
}

}  // namespace

void SaveProfileFile(const BindingTable& table, const std::string& path) {
  const std::string temp = TempFileBeside(path);
  try {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(path.c_str(), temp.c_str(), FALSE))
      throw UnableToWrite(path);
    PrivateProfile file(temp);
    try {
      SaveIni(table, file);
    } catch (const AppError&) {
      throw UnableToWrite(path);  // the user knows the profile, not the temporary
    }
    ReplaceWith(path, temp);
  } catch (...) {
    DeleteFileA(temp.c_str());
    throw;
  }
  RecordInSettings(path);
}

void LoadProfileFile(BindingTable& table, const std::string& path, int skipEntry, RowView* rows) {
  PrivateProfile file(path);
  LoadIni(table, file, skipEntry, rows);
  RecordInSettings(path);
}

}  // namespace vantrel
