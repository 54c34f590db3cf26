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

 private:
  std::string path_;
};

// The running executable's full path.
std::string ExePath();

}  // namespace vantrel
