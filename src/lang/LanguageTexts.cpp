#include "lang/LanguageTexts.h"

namespace vantrel {

namespace {

std::size_t IndexOf(std::string_view section, std::string_view key) {
  for (std::size_t i = 0; i < kLanguageKeys.size(); ++i)
    if (section == kLanguageKeys[i].section && key == kLanguageKeys[i].key) return i;
  return kLanguageKeys.size();
}

// The texts already read, offered to the reader of the kept texts, so that
// the pack is read once and the kept texts follow the same rules.
class ReadTexts final : public IniFile {
 public:
  explicit ReadTexts(const LanguageTexts& texts) : texts_(texts) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string&) override {
    return texts_.Text(section, key);
  }
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
  void EraseSection(const std::string&) override {}

 private:
  const LanguageTexts& texts_;
};

}  // namespace

LanguageTexts::LanguageTexts() {
  for (const LanguageKey& k : kLanguageKeys) texts_.emplace_back(k.builtIn);
}

LanguageTexts::LanguageTexts(IniFile& pack) {
  for (const LanguageKey& k : kLanguageKeys)
    texts_.push_back(pack.ReadString(k.section, k.key, k.builtIn));
  ReadTexts read(*this);
  kept_ = ReadKeptTexts(read);
}

const std::string& LanguageTexts::Text(std::string_view section, std::string_view key) const {
  static const std::string kNone;
  const std::size_t i = IndexOf(section, key);
  return i < texts_.size() ? texts_[i] : kNone;
}

LanguageTexts& Language() {
  static LanguageTexts texts;
  return texts;
}

}  // namespace vantrel
