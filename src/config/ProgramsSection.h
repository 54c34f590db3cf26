#pragma once
// The [Programs] section of the settings file: one key per program, its
// value the profile ("game.exe=C:\P\game.ini" or "game.exe=off").
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "actions/ProgramRules.h"
#include "base/IniFile.h"

namespace vantrel {

// Why a program's name cannot be a key: an INI reader takes a line that
// starts with "[" for a section and one that starts with ";" for a comment,
// splits a line at its first "=", ends it at a line break and trims blanks
// around the key. Such a name would read back as another, or not at all.
enum class NameFault : std::uint8_t { None, Opening, Equals, Control, Blank };
NameFault ProgramNameFault(std::string_view program);
// The key, in [ProgramsWindow] of a pack, of the text that says why.
const char* NameFaultTextKey(NameFault fault);
// The pack's text with the program's name for its first "%s".
std::string NameRefusalText(const std::string& text, const std::string& program);

// The rules of the section's "program=profile" lines, in their order, as a
// read of each key would give them: a comment (";...") or a line without a
// value is no rule, blanks around either side go, a profile in quotes loses
// them, and one longer than an INI text is cut.
std::vector<ProgramRule> RulesOfSection(std::string_view lines);
// The rules of keys already read: a key without a value is no rule.
std::vector<ProgramRule> RulesOfKeys(const IniKeys& keys);
// The whole section in the same form, which replaces one in a single write.
std::string ProgramsSectionText(const std::vector<ProgramRule>& rules);

}  // namespace vantrel
