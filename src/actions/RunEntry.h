#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// What a Run entry starts: a program that exists, and the arguments written
// after it by hand.
struct RunCommand {
  std::string program;  // as the resolver found it
  std::string arguments;
};

// The existing file a candidate names (a bare name may be looked up where
// the system looks for programs), or nothing.
using ProgramResolver = std::function<std::optional<std::string>(const std::string& candidate)>;

// The program a Run entry names, or nothing when it names none. The whole
// entry naming a file wins (a path with blanks, from the file dialog); a
// quoted program part is taken with what follows as its arguments; an
// unquoted one ends at a blank after an executable's extension (.exe, .com,
// .bat, .cmd, .lnk) where that names a file. A path is never cut at another
// blank and never given an extension it does not have: a missing
// "C:\Games\My Game\game.exe" must not start "C:\Games\My.exe".
std::optional<RunCommand> ParseRunEntry(std::string_view entry, const ProgramResolver& resolve);

}  // namespace vantrel
