#pragma once
#include <optional>
#include <string>

#include "base/IniFile_win.h"

namespace vantrel {

// An INI file written whole. The first change copies the file to a new one
// beside it (so that its other sections survive), every change goes to the
// copy, and Commit puts the copy in the file's place in one rename: until
// then, and whenever a step fails, the file is as it was, byte for byte. The
// copy never outlives the object. Every failure reports "Unable to write to
// <file>", the file the user knows.
class IniReplacement final : public IniFile {
 public:
  explicit IniReplacement(std::string target) : target_(std::move(target)) {}
  ~IniReplacement() override;
  IniReplacement(const IniReplacement&) = delete;
  IniReplacement& operator=(const IniReplacement&) = delete;

  // From the copy once it is made, so that a change reads back.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  // A file that does not exist holds no section: nothing is made for it.
  void EraseSection(const std::string& section) override;
  // Replaces the section's keys with `lines` ("key=value", each ended by a
  // zero) in one write: one pass over the file however many keys it holds.
  void WriteSection(const std::string& section, const std::string& lines);
  // Puts the copy in the file's place; without a change, nothing happens.
  void Commit();

 private:
  PrivateProfile& Copy();

  std::string target_;
  std::optional<PrivateProfile> copy_;
};

}  // namespace vantrel
