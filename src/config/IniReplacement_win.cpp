#include "config/IniReplacement_win.h"

#include <windows.h>

#include "base/Errors.h"
#include "base/FilePath.h"
#include "bindings/Binding.h"

namespace vantrel {

namespace {

bool Exists(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES; }

// A unique, empty file in the target's folder, so that the final rename
// never crosses volumes.
std::string TempFileBeside(const std::string& target) {
  std::string dir = FileNamePart(target, "path");
  if (dir.empty()) dir = ".";
  char name[MAX_PATH];
  if (!GetTempFileNameA(dir.c_str(), "vtl", 0, name)) throw UnableToWrite(target);
  return name;
}

// Nothing of a failed write stays in the user's folder.
void RemoveTemp(const std::string& temp) noexcept {
  SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(temp.c_str());
}

// The copy keeps the old file's other sections. Its attributes are the old
// file's too, but a read-only one would make the temporary impossible to
// write or delete.
void CopyWithoutReadOnly(const std::string& from, const std::string& to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw UnableToWrite(from);
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (Exists(attributes) && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(to.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}

}  // namespace

IniReplacement::~IniReplacement() {
  if (copy_) RemoveTemp(copy_->Path());
}

PrivateProfile& IniReplacement::Copy() {
  if (copy_) return *copy_;
  if (!FitsFilePath(target_)) throw UnableToWrite(target_);
  // A read-only file is refused before anything is written beside it.
  // Windows would refuse only the final rename, and a system whose
  // administrator may write anything not even that: the attribute is
  // checked here, so the answer is the same everywhere.
  const DWORD attributes = GetFileAttributesA(target_.c_str());
  if (Exists(attributes) && (attributes & FILE_ATTRIBUTE_READONLY)) throw UnableToWrite(target_);
  const std::string temp = TempFileBeside(target_);
  try {
    if (Exists(attributes)) CopyWithoutReadOnly(target_, temp);
  } catch (...) {
    RemoveTemp(temp);
    throw;
  }
  return copy_.emplace(temp);
}

std::string IniReplacement::ReadString(const std::string& section, const std::string& key,
                                       const std::string& def) {
  if (copy_) return copy_->ReadString(section, key, def);
  return PrivateProfile(target_).ReadString(section, key, def);
}

void IniReplacement::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
  PrivateProfile& copy = Copy();
  try {
    copy.WriteString(section, key, value);
  } catch (const AppError&) {
    throw UnableToWrite(target_);  // the user knows the file, not the copy
  }
}

void IniReplacement::EraseSection(const std::string& section) {
  if (!copy_ && FitsFilePath(target_) && !Exists(GetFileAttributesA(target_.c_str()))) return;
  PrivateProfile& copy = Copy();
  try {
    copy.EraseSection(section);
  } catch (const AppError&) {
    throw UnableToWrite(target_);
  }
}

void IniReplacement::WriteSection(const std::string& section, const std::string& lines) {
  const PrivateProfile& copy = Copy();
  if (!WritePrivateProfileSectionA(section.c_str(), lines.c_str(), copy.Path().c_str()))
    throw UnableToWrite(target_);
}

void IniReplacement::Commit() {
  if (!copy_) return;
  // One rename within the folder: the file is either the old one or the new
  // one, never half written. (ReplaceFile would keep the old file's
  // attributes, but some implementations leave a stray file when it fails.)
  if (!MoveFileExA(copy_->Path().c_str(), target_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw UnableToWrite(target_);
  copy_.reset();
}

}  // namespace vantrel
