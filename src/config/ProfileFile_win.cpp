#include "config/ProfileFile_win.h"

#include <windows.h>

#include "base/Errors.h"
#include "base/FilePath.h"
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

// The copy keeps the old file's other sections. Its attributes are the old
// file's too, but a read-only one would make the temporary impossible to
// write or delete.
void CopyWithoutReadOnly(const std::string& from, const std::string& to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw UnableToWrite(from);
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(to.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}

// Nothing of a failed save stays in the user's folder.
void RemoveTemp(const std::string& temp) noexcept {
  SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(temp.c_str());
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

void SaveProfileFile(const BindingTable& table, const std::string& path, bool recordAsLast) {
  if (!FitsFilePath(path)) throw UnableToWrite(path);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // A read-only profile is refused before anything is written beside it.
  // Windows would refuse only the final replace, and a system whose
  // administrator may write anything not even that: the attribute is checked
  // here, so the answer is the same everywhere.
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) throw UnableToWrite(path);
  const std::string temp = TempFileBeside(path);
  try {
    if (exists) CopyWithoutReadOnly(path, temp);
    PrivateProfile file(temp);
    try {
      SaveIni(table, file);
    } catch (const AppError&) {
      throw UnableToWrite(path);  // the user knows the profile, not the temporary
    }
    ReplaceWith(path, temp);
  } catch (...) {
    RemoveTemp(temp);
    throw;
  }
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
