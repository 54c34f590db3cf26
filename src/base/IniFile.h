#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// One INI file, key by key. The Windows build goes through the private-profile
// functions (every call opens the file anew); tests use an in-memory double.
class IniFile {
 public:
  virtual ~IniFile() = default;
  // The value of the key, or `def` when the file, section or key is missing.
  // Values are at most kMaxIniText characters long.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) = 0;
  // Throws AppError("Unable to write to <path>") when the write is refused.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // Removes every key of the section; a missing file or section is no error.
  virtual void EraseSection(const std::string& section) = 0;
};

// Texts read from INI files are cut at this length (the read buffer is 2048).
constexpr std::size_t kMaxIniText = 2047;

// Integers: decimal, or hexadecimal when a text of more than two characters
// starts "0x"/"0X". Anything else, or a value outside 32 bits, is no integer.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

std::int32_t ReadInteger(IniFile& ini, const std::string& section, const std::string& key,
                         std::int32_t def);
// Booleans are integers: any value but 0 is true.
bool ReadBool(IniFile& ini, const std::string& section, const std::string& key, bool def);
void WriteInteger(IniFile& ini, const std::string& section, const std::string& key,
                  std::int64_t value);
void WriteBool(IniFile& ini, const std::string& section, const std::string& key, bool value);

}  // namespace vantrel
