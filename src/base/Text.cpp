#include "base/Text.h"

#include <algorithm>
#include <iterator>

namespace vantrel {

bool IsControlCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7F;
}

std::string WithoutControlCharacters(std::string_view text) {
  std::string out;
  std::copy_if(text.begin(), text.end(), std::back_inserter(out),
               [](char c) { return !IsControlCharacter(c); });
  return out;
}

}  // namespace vantrel
