#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel {

// One INI file, key by key. The Windows build goes through the private-profile
// functions (every call opens the file anew); tests use an in-memory double.
// A section's keys and values in file order, as reads of each key give them.
using IniKeys = std::vector<std::pair<std::string, std::string>>;

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
  // The whole section in one read, where a file offers it; none where each
  // key has to be read by itself. A missing section has no keys.
  virtual std::optional<IniKeys> ReadSection(const std::string& section);
};

// Keys already read, offered for reading like a file: a key matches without
// regard to case, the first of a key written twice counts, writes go nowhere.
class SectionKeys final : public IniFile {
 public:
  explicit SectionKeys(const IniKeys& keys) : keys_(keys) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
  void EraseSection(const std::string&) override {}

 private:
  const IniKeys& keys_;
};

// A list as the private-profile functions give a section: strings each
// ended by a zero, the list by a second one (or by its end).
std::vector<std::string> SplitStringList(std::string_view list);
// The keys of a section given whole, as a read of each key would give them:
// a comment (";...") or a line without "=" is no key, blanks around either
// side go, a value in quotes loses them, and one longer than an INI text is
// cut.
IniKeys KeysOfSection(std::string_view lines);

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
