#pragma once
#include <stdexcept>
#include <string>

namespace vantrel {

// A failure the user must hear about; what() is the text shown, in the
// program's own words.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Unable to write to <path>": a refused write to a profile or settings file.
AppError UnableToWrite(const std::string& path);

// The text of an error box: a full stop is appended when the text ends in a
// character that sorts after it (a letter or a digit, for example).
std::string WithFullStop(std::string text);

}  // namespace vantrel
