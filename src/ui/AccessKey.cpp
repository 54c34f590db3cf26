#include "ui/AccessKey.h"

namespace vantrel {

std::string WithAccessKey(std::string caption) {
  if (caption.find('&') != std::string::npos) return caption;
  for (std::size_t i = 0; i < caption.size() && caption[i] != '\t'; ++i) {
    const auto c = static_cast<unsigned char>(caption[i]);
    // Letters of the code page's upper half (Cyrillic, accented) count too.
    if ((c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c >= 0xC0) {
      caption.insert(i, 1, '&');
      break;
    }
  }
  return caption;
}

}  // namespace vantrel
