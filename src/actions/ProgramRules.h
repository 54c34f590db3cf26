#pragma once
// Profiles that follow the program in front: a rule names a program by its
// executable's file name and says which profile to use while it is in front,
// or "off" (nothing injected). A window without a rule keeps the profile in
// force; when a ruled program ends, what was in force before it came to the
// front returns.
#include <cstdint>
#include <string>
#include <vector>

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

// What a change of the program in front asks of the main window.
struct RuleAction {
  enum Kind : std::uint8_t { Nothing, Load, Quiet } kind = Nothing;
  std::string profile;  // Load: the profile to load
  bool operator==(const RuleAction&) const = default;
};

class ProgramSwitcher {
 public:
  void SetRules(std::vector<ProgramRule> rules) { rules_ = std::move(rules); }
  const std::vector<ProgramRule>& Rules() const { return rules_; }
  // The rule of an executable, or nullptr.
  const ProgramRule* RuleOf(const std::string& program) const;

  // The user chose a profile (at start-up, File/Open, a switching entry):
  // it is the one in force, and what ruled programs return to.
  void Chose(const std::string& profile);
  // A program came to the front (its process and its executable's name).
  RuleAction Activated(std::uint32_t processId, const std::string& program);
  // A process ended: if its rule was in force, what was in force before it
  // came to the front returns.
  RuleAction Ended(std::uint32_t processId);
  // The process whose end would change the profile in force; 0 for none.
  std::uint32_t Watched() const { return ruled_.empty() ? 0 : ruled_.back().processId; }
  bool Quiet() const { return quiet_; }
  const std::string& InForce() const { return profile_; }

 private:
  struct Ruled {
    std::uint32_t processId;
    std::string profileBefore;
    bool quietBefore;
  };
  RuleAction Restore(const Ruled& ruled);
  // Takes out a ruled program that is not in force.
  void Forget(std::uint32_t processId);

  std::vector<ProgramRule> rules_;
  std::vector<Ruled> ruled_;  // the ruled programs that came to the front, in order
  std::string profile_;
  bool quiet_ = false;
};

}  // namespace vantrel
