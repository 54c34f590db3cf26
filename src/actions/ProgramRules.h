#pragma once
// Profiles that follow the program in front: a rule names a program by its
// executable's file name and says which profile to use while it is in front,
// or "off" (nothing injected while it is in front). A window without a rule
// keeps the profile in force; when a ruled program ends, the bindings in
// force before it came to the front return as they were in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "bindings/Binding.h"
#include "bindings/RowView.h"

namespace vantrel {

struct ProgramRule {
  std::string program;  // "game.exe", matched without regard to case
  std::string profile;  // a full path, or "off"
  bool operator==(const ProgramRule&) const = default;
};
inline constexpr char kRuleOff[] = "off";
bool IsOff(const std::string& profile);
// Whether two executables' file names name the same program.
bool SameProgram(const std::string& a, const std::string& b);

// What a change of the program in front, or an end, asks of the bindings.
// Whether anything is injected is ProgramSwitcher::Quiet() after the call.
struct RuleAction {
  enum Kind : std::uint8_t {
    Nothing,
    Load,      // the rule's profile, from its file
    GiveBack,  // the bindings kept when the ended program came to the front
  } kind = Nothing;
  std::string profile;    // Load: the profile to load; GiveBack: the one given back
  BindingTable bindings;  // GiveBack
};

// Puts kept bindings back as a load puts a profile's: every entry's stored
// parts, matched by its profile key (the directions move with the number of
// buttons), an entry the kept table lacks left empty. The rows show the
// result.
void GiveBackBindings(BindingTable& table, const BindingTable& kept, RowView* rows);

// Where a rule's action is carried out: the main window.
class RuleTarget {
 public:
  virtual ~RuleTarget() = default;
  // Everything held comes up; inputs still held are pressed anew after.
  virtual void ReleaseAll() = 0;
  virtual bool Quiet() const = 0;
  virtual void SetQuiet(bool quiet) = 0;
  // The rule's profile, as a profile switch loads one, but not the one the
  // next start loads, and the switching entries keep their place.
  virtual void LoadRuleProfile(const std::string& path) = 0;
  virtual void GiveBack(const BindingTable& kept) = 0;
  // The popup names the profile now in force and the program in front.
  virtual void Switched(const std::string& profile, const std::string& program) = 0;
};

// Carries out what a change of the program in front asks: what the last
// profile held goes up before anything else changes, then Off takes effect
// or lifts (`quiet`), then the profile loads or the kept bindings come
// back, and the popup says so. Nothing at all when nothing changes. True
// when something did.
bool ApplyRuleAction(const RuleAction& action, bool quiet, const std::string& program,
                     RuleTarget& target);

class ProgramSwitcher {
 public:
  void SetRules(std::vector<ProgramRule> rules) { rules_ = std::move(rules); }
  const std::vector<ProgramRule>& Rules() const { return rules_; }
  // The rule of an executable, or nullptr.
  const ProgramRule* RuleOf(const std::string& program) const;

  // The user chose a profile (at start-up, File/Open, a switching entry):
  // it is the one in force, and stays when the ruled programs end.
  void Chose(const std::string& profile);
  // The bindings in force were saved as `profile`: it is their file from now.
  void Saved(const std::string& profile) { profile_ = profile; }
  // A window of another program came to the front: its process, its
  // executable's name ("" for one that has no rule, as the program itself),
  // the table in force, and whether the process's end will be heard of.
  // A ruled program whose end cannot be heard of counts as ended as soon as
  // another program's window comes to the front.
  RuleAction Activated(std::uint32_t processId, const std::string& program,
                       const BindingTable& table, bool watched = true);
  // A watched process ended: if its profile was in force, the bindings in
  // force before it came to the front return; if it was Off, input flows again.
  RuleAction Ended(std::uint32_t processId);
  // The processes whose end would change something, oldest first.
  std::vector<std::uint32_t> Watched() const;
  // Nothing is injected: an Off rule's program is in front.
  bool Quiet() const { return quiet_; }
  // Whether the bindings in force are a rule's profile rather than the user's.
  bool RuleInForce() const { return !ruled_.empty(); }
  // The profile file of the bindings in force ("" when none was ever loaded).
  const std::string& InForce() const { return profile_; }
  // Nothing to decide: no rule, and nothing a rule did is in force.
  bool Idle() const { return rules_.empty() && ruled_.empty() && !Quiet(); }

 private:
  struct Ruled {
    std::uint32_t processId;
    bool watched;
    std::string profileBefore;
    BindingTable bindingsBefore;
  };
  RuleAction GiveBack();
  // Takes out a ruled program that is not in force.
  void Forget(std::uint32_t processId);

  std::vector<ProgramRule> rules_;
  // The ruled programs whose profiles came into force, in order; the last
  // one's is in force.
  std::vector<Ruled> ruled_;
  std::string profile_;
  // An Off rule's program in front: its process, and whether its end will
  // be heard of.
  bool quiet_ = false;
  std::uint32_t quietProcess_ = 0;
  bool quietWatched_ = false;
};

}  // namespace vantrel
