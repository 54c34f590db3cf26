#include "lang/SetLng_win.h"

#include "base/IniFile_win.h"
#include "lang/KeptTexts.h"

namespace vantrel {

void SetLng(const std::string& path) {
  PrivateProfile pack(path);
  // The kept texts come first: the captions applied after them, and the
  // rows built later, are composed from them.
  Kept() = ReadKeptTexts(pack);
  // The captions of the windows follow here as the language packs grow.
}

}  // namespace vantrel
