#include "ui/FileDialogResult.h"

namespace vantrel {

std::vector<std::string> SplitFileDialogResult(const std::string& buffer) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at < buffer.size() && buffer[at] != '\0') {
    const std::size_t end = buffer.find('\0', at);
    parts.push_back(buffer.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::string folder = parts.front();
  if (folder.back() != '\\') folder += '\\';
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

}  // namespace vantrel
