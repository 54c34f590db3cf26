#pragma once
#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/IniFile.h"

namespace vantrel::test {

// An INI file in memory: sections and keys match without regard to case and
// keep the order in which they were first written, as the real files do.
class MemoryIni : public IniFile {
 public:
  using Keys = std::vector<std::pair<std::string, std::string>>;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override {
    ++reads;
    if (auto* s = Find(section))
      for (auto& [k, v] : *s)
        if (Same(k, key)) return v.substr(0, kMaxIniText);
    return def;
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    Keys* s = Find(section);
    if (!s) s = &sections.emplace_back(section, Keys{}).second;
    for (auto& [k, v] : *s)
      if (Same(k, key)) {
        v = value;
        return;
      }
    s->emplace_back(key, value);
  }
  std::optional<IniKeys> ReadSection(const std::string& section) override {
    ++reads;
    if (!wholeSections) return std::nullopt;
    IniKeys keys;
    if (auto* s = Find(section))
      for (auto& [k, v] : *s) keys.emplace_back(k, v.substr(0, kMaxIniText));
    return keys;
  }
  void EraseSection(const std::string& section) override {
    std::erase_if(sections, [&](auto& s) { return Same(s.first, section); });
  }

  Keys* Find(const std::string& section) {
    for (auto& [name, keys] : sections)
      if (Same(name, section)) return &keys;
    return nullptr;
  }
  // "key=value" lines of one section, in file order.
  std::vector<std::string> Lines(const std::string& section) {
    std::vector<std::string> lines;
    if (auto* s = Find(section))
      for (auto& [k, v] : *s) lines.push_back(k + "=" + v);
    return lines;
  }

  // A file's text, read line by line as an INI reader would: "[section]"
  // lines, "key=value" lines (blanks around both trimmed), anything else
  // ignored; lines end in CR, LF or both. A key written twice keeps both
  // lines, and reads find the first.
  static MemoryIni FromText(std::string_view text) {
    MemoryIni ini;
    Keys* section = nullptr;
    while (!text.empty()) {
      const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
      const std::string_view line = Trim(text.substr(0, end));
      text.remove_prefix(std::min(end + 1, text.size()));
      if (line.starts_with('[')) {
        const std::string name(Trim(line.substr(1, line.find(']') - 1)));
        section = ini.Find(name);
        if (!section) section = &ini.sections.emplace_back(name, Keys{}).second;
      } else if (const std::size_t eq = line.find('='); section && eq != line.npos) {
        section->emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
      }
    }
    return ini;
  }

  std::vector<std::pair<std::string, Keys>> sections;
  int reads = 0;
  // Whether a section can be read whole, as from a file on disk.
  bool wholeSections = true;

 private:
  static std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == text.npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
  }
  static bool Same(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) ==
             std::tolower(static_cast<unsigned char>(y));
    });
  }
};

}  // namespace vantrel::test
