#include "lang/SetLng_win.h"

#include "base/IniFile_win.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageTexts.h"

namespace vantrel {

void SetLng(const std::string& path) {
  PrivateProfile pack(path);
  // The kept texts come first: the captions applied after them, and the
  // rows built later, are composed from them.
  Language() = LanguageTexts(pack);
  Kept() = Language().Kept();
}

}  // namespace vantrel
