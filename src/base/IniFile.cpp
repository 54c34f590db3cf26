#include "base/IniFile.h"

#include <charconv>

namespace vantrel {

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t value = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, value, 16);
    if (ec != std::errc() || end != last) return std::nullopt;
    return static_cast<std::int32_t>(value);  // 0xFFFFFFFF is -1, as a 32-bit field holds it
  }
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const char* last = text.data() + text.size();
  auto [end, ec] = std::from_chars(text.data(), last, value, 10);
  if (text.empty() || ec != std::errc() || end != last) return std::nullopt;
  return value;
}

std::int32_t ReadInteger(IniFile& ini, const std::string& section, const std::string& key,
                         std::int32_t def) {
  return ParseIniInteger(ini.ReadString(section, key, "")).value_or(def);
}

bool ReadBool(IniFile& ini, const std::string& section, const std::string& key, bool def) {
  return ReadInteger(ini, section, key, def ? 1 : 0) != 0;
}

void WriteInteger(IniFile& ini, const std::string& section, const std::string& key,
                  std::int64_t value) {
  ini.WriteString(section, key, std::to_string(value));
}

void WriteBool(IniFile& ini, const std::string& section, const std::string& key, bool value) {
  ini.WriteString(section, key, value ? "1" : "0");
}

}  // namespace vantrel
