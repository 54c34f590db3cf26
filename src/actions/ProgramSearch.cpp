#include "actions/ProgramSearch.h"

namespace vantrel {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "C:\..." or "\\server\share\...": a folder that means the same wherever
// the program happens to stand.
bool IsFullFolder(std::string_view folder) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (folder.size() >= 3 && letter(folder[0]) && folder[1] == ':' && IsSeparator(folder[2]))
    return true;
  return folder.size() > 2 && IsSeparator(folder[0]) && IsSeparator(folder[1]) &&
         !IsSeparator(folder[2]);
}

void AddCandidate(std::vector<std::string>& candidates, std::string folder, std::string_view name) {
  if (!IsFullFolder(folder)) return;
  if (!IsSeparator(folder.back())) folder += '\\';
  candidates.push_back(folder.append(name));
}

}  // namespace

std::vector<std::string> ProgramCandidates(std::string_view name, std::string_view systemFolder,
                                           std::string_view windowsFolder,
                                           std::string_view pathVariable) {
  std::vector<std::string> candidates;
  AddCandidate(candidates, std::string(systemFolder), name);
  AddCandidate(candidates, std::string(windowsFolder), name);
  std::string folder;
  bool quoted = false;
  for (const char c : pathVariable) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      AddCandidate(candidates, std::move(folder), name);
      folder.clear();
    } else {
      folder += c;
    }
  }
  AddCandidate(candidates, std::move(folder), name);
  return candidates;
}

}  // namespace vantrel
