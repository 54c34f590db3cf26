#include "config/ProgramsSection.h"

#include <algorithm>
#include <iterator>

#include "base/IniFile.h"
#include "base/Text.h"

namespace vantrel {

NameFault ProgramNameFault(std::string_view program) {
  if (std::any_of(program.begin(), program.end(), IsControlCharacter)) return NameFault::Control;
  if (program.starts_with('[') || program.starts_with(';')) return NameFault::Opening;
  if (program.find('=') != std::string_view::npos) return NameFault::Equals;
  if (program.starts_with(' ') || program.ends_with(' ')) return NameFault::Blank;
  return NameFault::None;
}

const char* NameFaultTextKey(NameFault fault) {
  switch (fault) {
    case NameFault::Opening: return "NameOpening";
    case NameFault::Equals: return "NameEquals";
    case NameFault::Control: return "NameControl";
    case NameFault::Blank: return "NameBlank";
    case NameFault::None: break;
  }
  return "";
}

std::string NameRefusalText(const std::string& text, const std::string& program) {
  std::string out = text;
  if (const std::size_t at = out.find("%s"); at != std::string::npos) out.replace(at, 2, program);
  return out;
}

std::vector<ProgramRule> RulesOfKeys(const IniKeys& keys) {
  std::vector<ProgramRule> rules;
  for (const auto& [program, profile] : keys)
    if (!program.empty() && !profile.empty()) rules.push_back({program, profile});
  return rules;
}

std::vector<ProgramRule> RulesOfSection(std::string_view lines) {
  return RulesOfKeys(KeysOfSection(lines));
}

std::string ProgramsSectionText(const std::vector<ProgramRule>& rules) {
  std::string text;
  for (const ProgramRule& rule : rules) {
    text += rule.program + "=" + rule.profile;
    text += '\0';
  }
  return text;
}

}  // namespace vantrel
