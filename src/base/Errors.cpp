#include "base/Errors.h"

namespace vantrel {

AppError UnableToWrite(const std::string& path) { return AppError("Unable to write to " + path); }

std::string WithFullStop(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace vantrel
