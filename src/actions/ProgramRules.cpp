#include "actions/ProgramRules.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "bindings/Profile.h"

namespace vantrel {

bool SameProgram(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool IsOff(const std::string& profile) { return SameProgram(profile, kRuleOff); }

void GiveBackBindings(BindingTable& table, const BindingTable& kept, RowView* rows) {
  // By profile key, as a load reads them: the options may have changed the
  // number of buttons while the bindings were kept.
  std::map<std::string, const Binding*> byKey;
  for (int e = 1; e <= kept.EntryCount(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    byKey.emplace(kept.Prefix(entry), &kept[entry]);
  }
  for (int e = 1; e <= table.EntryCount(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    const auto found = byKey.find(table.Prefix(entry));
    table[entry] = found == byKey.end() ? Binding{} : *found->second;
  }
  // Shown once all are in: a stick made a pointer by one entry shows so on all four.
  if (rows)
    for (int e = 1; e <= table.EntryCount(); ++e)
      ShowBinding(table, static_cast<std::uint8_t>(e), *rows);
}

const ProgramRule* ProgramSwitcher::RuleOf(const std::string& program) const {
  if (program.empty()) return nullptr;  // the program itself, or one whose name is unknown
  for (const ProgramRule& rule : rules_)
    if (SameProgram(rule.program, program)) return &rule;
  return nullptr;
}

void ProgramSwitcher::Chose(const std::string& profile) {
  profile_ = profile;
  quiet_ = false;
  quietProcess_ = 0;
  // The user's own choice stays when the ruled programs end.
  ruled_.clear();
}

RuleAction ProgramSwitcher::Activated(std::uint32_t processId, const std::string& program,
                                      const BindingTable& table, bool watched) {
  RuleAction action;
  // Nothing else would ever tell of its end.
  if (!ruled_.empty() && !ruled_.back().watched && ruled_.back().processId != processId)
    action = GiveBack();
  const ProgramRule* rule = RuleOf(program);
  // Off holds only while its program is in front.
  quiet_ = rule && IsOff(rule->profile);
  quietProcess_ = quiet_ ? processId : 0;
  quietWatched_ = quiet_ && watched;
  if (!rule || quiet_) return action;
  if (!ruled_.empty() && ruled_.back().processId == processId) return action;  // in force already
  // Back in front after another ruled program: it is in force from here,
  // and when it ends, what is in force now returns.
  Forget(processId);
  ruled_.push_back({processId, watched, profile_,
                    action.kind == RuleAction::GiveBack ? std::move(action.bindings) : table});
  profile_ = rule->profile;
  RuleAction load;
  load.kind = RuleAction::Load;
  load.profile = profile_;
  return load;
}

RuleAction ProgramSwitcher::GiveBack() {
  Ruled ended = std::move(ruled_.back());
  ruled_.pop_back();
  profile_ = std::move(ended.profileBefore);
  RuleAction action;
  action.kind = RuleAction::GiveBack;
  action.profile = profile_;
  action.bindings = std::move(ended.bindingsBefore);
  return action;
}

RuleAction ProgramSwitcher::Ended(std::uint32_t processId) {
  if (quiet_ && quietProcess_ == processId) {
    quiet_ = false;
    quietProcess_ = 0;
  }
  if (ruled_.empty() || ruled_.back().processId != processId) {
    Forget(processId);
    return RuleAction();
  }
  return GiveBack();
}

std::vector<std::uint32_t> ProgramSwitcher::Watched() const {
  std::vector<std::uint32_t> watched;
  for (const Ruled& r : ruled_)
    if (r.watched) watched.push_back(r.processId);
  if (quiet_ && quietWatched_ &&
      std::find(watched.begin(), watched.end(), quietProcess_) == watched.end())
    watched.push_back(quietProcess_);
  return watched;
}

void ProgramSwitcher::Forget(std::uint32_t processId) {
  const auto found = std::find_if(ruled_.begin(), ruled_.end(),
                                  [&](const Ruled& r) { return r.processId == processId; });
  if (found == ruled_.end()) return;
  // Not in force: the one that came after it returns, in its turn, to what
  // was in force before this one.
  if (found + 1 != ruled_.end()) {
    (found + 1)->profileBefore = std::move(found->profileBefore);
    (found + 1)->bindingsBefore = std::move(found->bindingsBefore);
  }
  ruled_.erase(found);
}

bool ApplyRuleAction(const RuleAction& action, bool quiet, const std::string& program,
                     RuleTarget& target) {
  if (action.kind == RuleAction::Nothing && target.Quiet() == quiet) return false;
  target.ReleaseAll();
  target.SetQuiet(quiet);
  if (action.kind == RuleAction::Load)
    target.LoadRuleProfile(action.profile);
  else if (action.kind == RuleAction::GiveBack)
    target.GiveBack(action.bindings);
  if (action.kind != RuleAction::Nothing) target.Switched(action.profile, program);
  return true;
}

}  // namespace vantrel
