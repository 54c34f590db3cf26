#pragma once
#include <string>

#include "base/IniFile.h"

namespace vantrel {

// An INI file through the platform's private-profile functions. Every call
// opens the file anew, so nothing is held open between calls.
class PrivateProfile final : public IniFile {
 public:
  explicit PrivateProfile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void EraseSection(const std::string& section) override;
  std::optional<IniKeys> ReadSection(const std::string& section) override;

 private:
  std::string path_;
};

// The running executable's full path, in long names even when it was
// started by its short (8.3) name: a copy reads the same settings file and
// keeps the same autorun command however it was started.
std::string ExePath();

// The text a call of the kind of GetLongPathNameA answers into `buffer` of
// `size` characters: it returns the text's length, or, when the buffer is
// too small, the size it needs with the terminating zero; 0 (an empty text)
// when it fails.
template <class Call>
std::string AnsweredPath(Call call) {
  std::string text(260, '\0');
  for (;;) {
    const unsigned long n = call(text.data(), static_cast<unsigned long>(text.size()));
    if (n == 0) return {};
    const bool fits = n < text.size();
    text.resize(n);
    if (fits) return text;
  }
}

}  // namespace vantrel
