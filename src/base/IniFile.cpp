#include "base/IniFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vantrel {

namespace {

// The functions that give a section whole may leave the blanks around a
// key and its value, which a read of the key takes away.
std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameKey(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::optional<IniKeys> IniFile::ReadSection(const std::string&) { return std::nullopt; }

std::string SectionKeys::ReadString(const std::string&, const std::string& key,
                                    const std::string& def) {
  for (const auto& [k, v] : keys_)
    if (SameKey(k, key)) return v;
  return def;
}

std::vector<std::string> SplitStringList(std::string_view list) {
  std::vector<std::string> strings;
  while (!list.empty() && list.front() != '\0') {
    const std::size_t end = std::min(list.find('\0'), list.size());
    strings.emplace_back(list.substr(0, end));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return strings;
}

IniKeys KeysOfSection(std::string_view lines) {
  IniKeys keys;
  for (const std::string& line : SplitStringList(lines)) {
    if (line.starts_with(';')) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = Trimmed(std::string_view(line).substr(0, eq));
    std::string_view value = Trimmed(std::string_view(line).substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    keys.emplace_back(std::string(key), std::string(value.substr(0, kMaxIniText)));
  }
  return keys;
}

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
