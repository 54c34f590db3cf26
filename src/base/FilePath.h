#pragma once
#include <cstddef>
#include <string_view>

namespace vantrel {

// The longest path the program hands to a file function: the ANSI functions
// take MAX_PATH characters with the terminating zero, and some of them copy
// the path into a buffer of that size without checking. A longer path (only
// a hand-edited file holds one) names no file the program will touch.
constexpr std::size_t kMaxFilePath = 259;

constexpr bool FitsFilePath(std::string_view path) {
  return !path.empty() && path.size() <= kMaxFilePath;
}

}  // namespace vantrel
