#include "actions/ProgramRules.h"

#include <algorithm>
#include <cctype>

namespace vantrel {

bool SameProgram(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool IsOff(const std::string& profile) { return SameProgram(profile, kRuleOff); }

const ProgramRule* ProgramSwitcher::RuleOf(const std::string& program) const {
  for (const ProgramRule& rule : rules_)
    if (SameProgram(rule.program, program)) return &rule;
  return nullptr;
}

void ProgramSwitcher::Chose(const std::string& profile) {
  profile_ = profile;
  quiet_ = false;
  // The user's own choice stays when the ruled programs end.
  ruled_.clear();
}

RuleAction ProgramSwitcher::Activated(std::uint32_t processId, const std::string& program) {
  const ProgramRule* rule = RuleOf(program);
  if (!rule) return {};
  if (!ruled_.empty() && ruled_.back().processId == processId) return {};
  // Back in front after another ruled program: it is in force from here,
  // and when it ends, what is in force now returns.
  Forget(processId);
  ruled_.push_back({processId, profile_, quiet_});
  if (IsOff(rule->profile)) {
    quiet_ = true;
    return {RuleAction::Quiet, {}};
  }
  profile_ = rule->profile;
  quiet_ = false;
  return {RuleAction::Load, profile_};
}

RuleAction ProgramSwitcher::Restore(const Ruled& ruled) {
  profile_ = ruled.profileBefore;
  quiet_ = ruled.quietBefore;
  if (quiet_) return {RuleAction::Quiet, {}};
  return {RuleAction::Load, profile_};
}

RuleAction ProgramSwitcher::Ended(std::uint32_t processId) {
  if (ruled_.empty() || ruled_.back().processId != processId) {
    Forget(processId);
    return {};
  }
  const Ruled ended = ruled_.back();
  ruled_.pop_back();
  return Restore(ended);
}

void ProgramSwitcher::Forget(std::uint32_t processId) {
  const auto found = std::find_if(ruled_.begin(), ruled_.end(),
                                  [&](const Ruled& r) { return r.processId == processId; });
  if (found == ruled_.end()) return;
  // Not in force: the one that came after it returns, in its turn, to what
  // was in force before this one.
  if (found + 1 != ruled_.end()) {
    (found + 1)->profileBefore = found->profileBefore;
    (found + 1)->quietBefore = found->quietBefore;
  }
  ruled_.erase(found);
}

}  // namespace vantrel
