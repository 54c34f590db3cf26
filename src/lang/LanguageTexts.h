#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/IniFile.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageKeys.h"

namespace vantrel {

// Every text of a pack, as read: a missing file, section or key gives the
// key's built-in text, a key present with an empty value an empty text.
class LanguageTexts {
 public:
  // The built-in English texts.
  LanguageTexts();
  explicit LanguageTexts(IniFile& pack);

  const std::string& Text(std::string_view section, std::string_view key) const;
  const KeptTexts& Kept() const { return kept_; }

 private:
  // Indexed as kLanguageKeys.
  std::vector<std::string> texts_;
  KeptTexts kept_;
};

// A window whose captions and font follow the language.
class LanguageUser {
 public:
  virtual void ApplyLanguage(const LanguageTexts& texts) = 0;

 protected:
  ~LanguageUser() = default;
};

// The program-wide texts of the language last applied.
LanguageTexts& Language();

}  // namespace vantrel
