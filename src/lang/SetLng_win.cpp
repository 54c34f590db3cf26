#include "lang/SetLng_win.h"

#include <windows.h>

#include "base/FilePath.h"
#include "base/IniFile_win.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageTexts.h"

namespace vantrel {

namespace {

// No file there (English names the executable's folder), or a path too long
// to name one: every key would give its built-in text, so none is asked for.
bool NamesAFile(const std::string& path) {
  if (!FitsFilePath(path)) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void SetLng(const std::string& path) {
  // The kept texts come first: the captions applied after them, and the
  // rows built later, are composed from them.
  if (NamesAFile(path)) {
    PrivateProfile pack(path);
    Language() = LanguageTexts(pack);
  } else {
    Language() = LanguageTexts();
  }
  Kept() = Language().Kept();
}

}  // namespace vantrel
