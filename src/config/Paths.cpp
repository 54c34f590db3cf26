#include "config/Paths.h"

#include "bindings/Binding.h"

namespace vantrel {

std::string SettingsPathFor(const std::string& exePath) {
  const auto slash = exePath.find_last_of("\\/");
  const auto dot = exePath.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && exePath.size() - dot == 4 &&
                            (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? exePath.substr(0, dot) : exePath) + ".set";
}

std::string ScratchProfilePathFor(const std::string& exePath) {
  return FileNamePart(exePath, "path") + "qex.tmp";
}

}  // namespace vantrel
