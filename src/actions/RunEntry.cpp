#include "actions/RunEntry.h"

#include <array>
#include <cctype>

#include "base/FilePath.h"

namespace vantrel {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool EndsWithExecutableExtension(std::string_view name) {
  static constexpr std::array<std::string_view, 5> kExtensions{".exe", ".com", ".bat", ".cmd",
                                                               ".lnk"};
  for (std::string_view extension : kExtensions) {
    if (name.size() <= extension.size()) continue;
    const std::string_view tail = name.substr(name.size() - extension.size());
    bool same = true;
    for (std::size_t i = 0; i < tail.size() && same; ++i)
      same = std::tolower(static_cast<unsigned char>(tail[i])) == extension[i];
    if (same) return true;
  }
  return false;
}

std::optional<RunCommand> Found(std::string_view program, std::string_view arguments,
                                const ProgramResolver& resolve) {
  if (!FitsFilePath(program)) return std::nullopt;
  std::optional<std::string> file = resolve(std::string(program));
  if (!file || !FitsFilePath(*file)) return std::nullopt;
  return RunCommand{std::move(*file), std::string(Trimmed(arguments))};
}

}  // namespace

std::optional<RunCommand> ParseRunEntry(std::string_view entry, const ProgramResolver& resolve) {
  entry = Trimmed(entry);
  if (entry.empty()) return std::nullopt;
  if (entry.front() == '"') {
    const std::size_t close = entry.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return Found(entry.substr(1, close - 1), entry.substr(close + 1), resolve);
  }
  if (auto whole = Found(entry, {}, resolve)) return whole;
  for (std::size_t blank = entry.find(' '); blank != std::string_view::npos;
       blank = entry.find(' ', blank + 1)) {
    const std::string_view program = entry.substr(0, blank);
    if (!EndsWithExecutableExtension(program)) continue;
    if (auto found = Found(program, entry.substr(blank + 1), resolve)) return found;
  }
  return std::nullopt;
}

}  // namespace vantrel
