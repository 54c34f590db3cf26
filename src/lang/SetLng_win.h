#pragma once
#include <string>

namespace vantrel {

// Applies the language pack at `path`. A path that names no file (such as
// the executable's folder, which English uses) gives the built-in texts.
void SetLng(const std::string& path);

}  // namespace vantrel
