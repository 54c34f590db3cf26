#include "config/ProgramsSection.h"

#include <algorithm>
#include <iterator>

#include "base/IniFile.h"
#include "base/Text.h"

namespace vantrel {

namespace {

// The functions that give a section whole may leave the blanks around a
// key and its value, which a read of the key takes away.
std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

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

std::vector<std::string> SplitStringList(std::string_view list) {
  std::vector<std::string> strings;
  while (!list.empty() && list.front() != '\0') {
    const std::size_t end = std::min(list.find('\0'), list.size());
    strings.emplace_back(list.substr(0, end));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return strings;
}

std::vector<ProgramRule> RulesOfSection(std::string_view lines) {
  std::vector<ProgramRule> rules;
  for (const std::string& line : SplitStringList(lines)) {
    if (line.starts_with(';')) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view program = Trimmed(std::string_view(line).substr(0, eq));
    std::string_view profile = Trimmed(std::string_view(line).substr(eq + 1));
    if (profile.size() >= 2 && (profile.front() == '"' || profile.front() == '\'') &&
        profile.back() == profile.front())
      profile = profile.substr(1, profile.size() - 2);
    profile = profile.substr(0, kMaxIniText);
    if (!program.empty() && !profile.empty())
      rules.push_back({std::string(program), std::string(profile)});
  }
  return rules;
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
