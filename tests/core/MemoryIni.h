#pragma once
#include <algorithm>
#include <cctype>
#include <string>
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

  std::vector<std::pair<std::string, Keys>> sections;
  int reads = 0;

 private:
  static bool Same(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) ==
             std::tolower(static_cast<unsigned char>(y));
    });
  }
};

}  // namespace vantrel::test
