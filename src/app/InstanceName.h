#pragma once
#include <string>
#include <string_view>

namespace vantrel {

// The name that one running copy of the program holds for its settings file:
// copies started from the same folder share a settings file, and only the
// first of them runs. Paths differ only in case on Windows, so the name does not.
std::string InstanceName(std::string_view settingsPath);

// The settings file's path in `folder` as the file system names the folder
// (its final path, whose "\\?\" or "\\?\UNC\" prefix is dropped, so that it
// reads as the folder's ordinary path does).
std::string PathInFolder(std::string_view folder, std::string_view fileName);

}  // namespace vantrel
