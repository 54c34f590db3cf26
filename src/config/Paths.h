#pragma once
#include <string>

namespace vantrel {

// The settings file: the executable's path with its ".exe" replaced by ".set"
// (D:\Tools\mapper.exe uses D:\Tools\mapper.set). A name without a
// three-letter extension gets ".set" appended.
std::string SettingsPathFor(const std::string& exePath);

// The scratch profile "qex.tmp" in the executable's folder.
std::string ScratchProfilePathFor(const std::string& exePath);

}  // namespace vantrel
