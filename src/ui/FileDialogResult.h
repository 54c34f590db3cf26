#pragma once
#include <string>
#include <vector>

namespace vantrel {

// The paths a multi-select file dialog returns in its buffer: one full path,
// or the folder followed by the file names, each ending in a zero, the list
// ending in an empty one.
std::vector<std::string> SplitFileDialogResult(const std::string& buffer);

}  // namespace vantrel
