#include "actions/ProgramRules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Kind = RuleAction::Kind;

Binding KeyBinding(char key) {
  Binding b;
  b.Action = ActEmulKey;
  b.VCode = static_cast<std::uint8_t>(key);
  return b;
}

// One thing that happens to the rules, and what is in force after it.
struct Step {
  // 'a' a program's window comes to the front, 'u' one whose end cannot be
  // heard of, 'e' a process ends, 'c' the user loads a profile, 'k' the user
  // binds button 1 to the key `name` (unsaved), 's' the user saves as `name`.
  char event;
  std::uint32_t pid;
  const char* name;
  Kind kind;            // what the call asked of the bindings
  char key;             // button 1's key afterwards, '-' for none
  const char* inForce;  // the profile file of the bindings in force
  bool ruled;           // whether that is a rule's profile (File/Save writes it)
  bool quiet;
};

// The main window's part, played on a table of its own: each profile file
// binds button 1 to one key; a load reads the file, a give-back puts the
// kept bindings in.
class Desk {
 public:
  explicit Desk(std::vector<ProgramRule> rules) { switcher.SetRules(std::move(rules)); }

  void Play(const std::vector<Step>& steps) {
    int i = 0;
    for (const Step& step : steps) {
      const RuleAction action = Do(step);
      EXPECT_EQ(action.kind, step.kind) << "step " << i;
      EXPECT_EQ(Key(), step.key) << "step " << i;
      EXPECT_EQ(switcher.InForce(), step.inForce) << "step " << i;
      EXPECT_EQ(switcher.RuleInForce(), step.ruled) << "step " << i;
      EXPECT_EQ(switcher.Quiet(), step.quiet) << "step " << i;
      ++i;
    }
  }

  ProgramSwitcher switcher;
  BindingTable table{4};
  std::map<std::string, char> files;

 private:
  RuleAction Do(const Step& step) {
    RuleAction action;
    switch (step.event) {
      case 'a':
      case 'u': action = switcher.Activated(step.pid, step.name, table, step.event == 'a'); break;
      case 'e': action = switcher.Ended(step.pid); break;
      case 'c':
        Load(step.name);
        switcher.Chose(step.name);
        break;
      case 'k': table[1] = KeyBinding(step.name[0]); break;
      case 's':
        files[step.name] = Key();
        switcher.Saved(step.name);
        break;
    }
    if (action.kind == Kind::Load) Load(action.profile);
    if (action.kind == Kind::GiveBack) GiveBackBindings(table, action.bindings, nullptr);
    return action;
  }
  void Load(const std::string& path) {
    const auto file = files.find(path);
    table[1] = file == files.end() || file->second == '-' ? Binding{} : KeyBinding(file->second);
  }
  char Key() const {
    return table[1].Action == ActEmulKey ? static_cast<char>(table[1].VCode) : '-';
  }
};

Desk Files(std::vector<ProgramRule> rules) {
  Desk desk(std::move(rules));
  desk.files = {{"C:\\start.ini", 'S'}, {"C:\\a.ini", 'A'}, {"C:\\b.ini", 'B'}};
  return desk;
}

const std::vector<ProgramRule> kRules = {
    {"Alpha.exe", "C:\\a.ini"}, {"beta.exe", "C:\\b.ini"}, {"quiet.exe", "Off"}};

TEST(ProgramRules, TheProfileInForceAfterAnySequenceOfActivationsAndEnds) {
  Desk desk = Files(kRules);
  const char* kA = "C:\\a.ini";
  const char* kB = "C:\\b.ini";
  const char* kStart = "C:\\start.ini";
  desk.Play({
      {'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
      {'a', 10, "alpha.EXE", Kind::Load, 'A', kA, true, false},       // any case
      {'a', 10, "alpha.exe", Kind::Nothing, 'A', kA, true, false},    // already in force
      {'a', 20, "notepad.exe", Kind::Nothing, 'A', kA, true, false},  // no rule: kept
      {'a', 30, "beta.exe", Kind::Load, 'B', kB, true, false},
      {'e', 20, "", Kind::Nothing, 'B', kB, true, false},   // no rule: nothing
      {'e', 30, "", Kind::GiveBack, 'A', kA, true, false},  // beta's end
      {'a', 40, "quiet.exe", Kind::Nothing, 'A', kA, true, true},
      {'a', 30, "beta.exe", Kind::Load, 'B', kB, true, false},
      {'e', 40, "", Kind::Nothing, 'B', kB, true, false},  // not in force
      {'e', 30, "", Kind::GiveBack, 'A', kA, true, false},
      {'e', 10, "", Kind::GiveBack, 'S', kStart, false, false},
      {'e', 10, "", Kind::Nothing, 'S', kStart, false, false},
      // Back in front after another: it returns to what was in force then,
      // and past the other once that has ended.
      {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
      {'a', 30, "beta.exe", Kind::Load, 'B', kB, true, false},
      {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
      {'e', 30, "", Kind::Nothing, 'A', kA, true, false},
      {'e', 10, "", Kind::GiveBack, 'S', kStart, false, false},
      // Off between leaves alpha's bindings as they are.
      {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
      {'a', 40, "quiet.exe", Kind::Nothing, 'A', kA, true, true},
      {'a', 10, "alpha.exe", Kind::Nothing, 'A', kA, true, false},
      {'e', 40, "", Kind::Nothing, 'A', kA, true, false},
      {'e', 10, "", Kind::GiveBack, 'S', kStart, false, false},
  });
}

// Each end gives back what was in force before its program came to the
// front, as it was in memory: unsaved edits, a profile saved under another
// name, no profile at all.
TEST(ProgramRules, AnEndGivesBackTheBindingsInForceBeforeItsProgramCameAsTheyWereInMemory) {
  const char* kA = "C:\\a.ini";
  const char* kB = "C:\\b.ini";
  const char* kStart = "C:\\start.ini";
  const char* kSaved = "C:\\saved.ini";
  struct Case {
    const char* what;
    std::vector<Step> steps;
  };
  const Case kCases[] = {
      {"an unsaved edit",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'k', 0, "X", Kind::Nothing, 'X', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'e', 10, "", Kind::GiveBack, 'X', kStart, false, false}}},
      {"saved under another name, then edited",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'k', 0, "X", Kind::Nothing, 'X', kStart, false, false},
        {'s', 0, kSaved, Kind::Nothing, 'X', kSaved, false, false},
        {'k', 0, "Y", Kind::Nothing, 'Y', kSaved, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'e', 10, "", Kind::GiveBack, 'Y', kSaved, false, false}}},
      {"no profile at all",
       {{'c', 0, "", Kind::Nothing, '-', "", false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'a', 20, "explorer.exe", Kind::Nothing, 'A', kA, true, false},
        {'e', 10, "", Kind::GiveBack, '-', "", false, false}}},
      {"a chain, each with its edits",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'k', 0, "X", Kind::Nothing, 'X', kA, true, false},
        {'a', 20, "beta.exe", Kind::Load, 'B', kB, true, false},
        {'k', 0, "Y", Kind::Nothing, 'Y', kB, true, false},
        {'e', 20, "", Kind::GiveBack, 'X', kA, true, false},
        {'e', 10, "", Kind::GiveBack, 'S', kStart, false, false}}},
      {"a chain whose first program ends behind the second",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'a', 20, "beta.exe", Kind::Load, 'B', kB, true, false},
        {'e', 10, "", Kind::Nothing, 'B', kB, true, false},
        {'e', 20, "", Kind::GiveBack, 'S', kStart, false, false}}},
      {"the rule's profile saved under another name",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'s', 0, kSaved, Kind::Nothing, 'A', kSaved, true, false},
        {'e', 10, "", Kind::GiveBack, 'S', kStart, false, false}}},
      {"the user's choice in between stays",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'c', 0, kB, Kind::Nothing, 'B', kB, false, false},
        {'e', 10, "", Kind::Nothing, 'B', kB, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'e', 10, "", Kind::GiveBack, 'B', kB, false, false}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Files(kRules).Play(c.steps);
  }
}

// Off means nothing is injected while its program is in front, and only then.
TEST(ProgramRules, OffHoldsWhileItsProgramIsInFrontAndAProfileRuleBeyond) {
  const char* kA = "C:\\a.ini";
  const char* kStart = "C:\\start.ini";
  struct Case {
    const char* what;
    std::vector<Step> steps;
  };
  const Case kCases[] = {
      {"a window without a rule, and back",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'a', 20, "explorer.exe", Kind::Nothing, 'S', kStart, false, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'a', 1, "", Kind::Nothing, 'S', kStart, false, false}}},  // the program itself
      {"its end in front",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'e', 40, "", Kind::Nothing, 'S', kStart, false, false}}},
      {"its end behind a window without a rule, then a new one in front",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'a', 20, "explorer.exe", Kind::Nothing, 'S', kStart, false, false},
        {'e', 40, "", Kind::Nothing, 'S', kStart, false, false},
        {'a', 41, "QUIET.exe", Kind::Nothing, 'S', kStart, false, true}}},
      {"a profile rule keeps its profile beyond its program",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'a', 20, "explorer.exe", Kind::Nothing, 'A', kA, true, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'A', kA, true, true},
        {'a', 20, "explorer.exe", Kind::Nothing, 'A', kA, true, false},
        {'e', 10, "", Kind::GiveBack, 'S', kStart, false, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true}}},
      {"the user's choice lifts it",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'c', 0, kA, Kind::Nothing, 'A', kA, false, false},
        {'e', 40, "", Kind::Nothing, 'A', kA, false, false}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Files(kRules).Play(c.steps);
  }
}

// A process that cannot be opened (protected, anti-cheat) never tells of its
// end: its rule holds until another program's window comes to the front.
TEST(ProgramRules, ARuleWhoseProgramCannotBeWatchedHoldsUntilAnotherProgramIsInFront) {
  const char* kA = "C:\\a.ini";
  const char* kB = "C:\\b.ini";
  const char* kStart = "C:\\start.ini";
  struct Case {
    const char* what;
    std::vector<Step> steps;
  };
  const Case kCases[] = {
      {"Off, while the game is in front",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'u', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'u', 40, "quiet.exe", Kind::Nothing, 'S', kStart, false, true},
        {'a', 20, "explorer.exe", Kind::Nothing, 'S', kStart, false, false}}},
      {"a profile, with an edit",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'k', 0, "X", Kind::Nothing, 'X', kStart, false, false},
        {'u', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'u', 10, "alpha.exe", Kind::Nothing, 'A', kA, true, false},
        {'a', 20, "explorer.exe", Kind::GiveBack, 'X', kStart, false, false}}},
      {"a profile, then another ruled program",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'u', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'a', 20, "beta.exe", Kind::Load, 'B', kB, true, false},
        {'e', 20, "", Kind::GiveBack, 'S', kStart, false, false}}},
      {"a profile, then Off",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'u', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'a', 40, "quiet.exe", Kind::GiveBack, 'S', kStart, false, true}}},
      {"a watched one's end behind it",
       {{'c', 0, kStart, Kind::Nothing, 'S', kStart, false, false},
        {'a', 10, "alpha.exe", Kind::Load, 'A', kA, true, false},
        {'u', 20, "beta.exe", Kind::Load, 'B', kB, true, false},
        {'e', 10, "", Kind::Nothing, 'B', kB, true, false},
        {'a', 30, "explorer.exe", Kind::GiveBack, 'S', kStart, false, false}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Files(kRules).Play(c.steps);
  }
}

// The processes the main window waits on: those whose end changes something.
TEST(ProgramRules, OnlyTheProcessesWhoseEndChangesSomethingAreWatched) {
  ProgramSwitcher s;
  s.SetRules(kRules);
  const BindingTable table(4);
  s.Chose("C:\\start.ini");
  using Ids = std::vector<std::uint32_t>;
  s.Activated(10, "alpha.exe", table);
  s.Activated(20, "notepad.exe", table);
  s.Activated(30, "beta.exe", table, false);
  EXPECT_EQ(s.Watched(), (Ids{10})) << "beta's end cannot be heard of";
  s.Activated(40, "quiet.exe", table);
  EXPECT_EQ(s.Watched(), (Ids{10, 40}));
  s.Activated(20, "notepad.exe", table);
  EXPECT_EQ(s.Watched(), (Ids{10})) << "Off is past once its program is behind";
  s.Activated(30, "beta.exe", table);
  EXPECT_EQ(s.Watched(), (Ids{10, 30}));
  s.Ended(10);
  EXPECT_EQ(s.Watched(), (Ids{30}));
  s.Chose("C:\\b.ini");
  EXPECT_EQ(s.Watched(), Ids{});
}

TEST(ProgramRules, AProfileTheUserChoosesStaysWhenTheRuledProgramEnds) {
  ProgramSwitcher s;
  s.SetRules({{"quiet.exe", "off"}});
  const BindingTable table(4);
  s.Chose("C:\\start.ini");
  s.Activated(7, "quiet.exe", table);
  EXPECT_TRUE(s.Quiet());
  EXPECT_EQ(s.Watched(), std::vector<std::uint32_t>{7});
  s.Chose("C:\\opened.ini");
  EXPECT_FALSE(s.Quiet());
  EXPECT_TRUE(s.Watched().empty());
  EXPECT_EQ(s.Ended(7).kind, Kind::Nothing);
  EXPECT_EQ(s.InForce(), "C:\\opened.ini");
}

// The rows as the give-back leaves them.
class RowTexts : public RowView {
 public:
  void SetRowText(std::uint8_t entry, const std::string& text) override { texts[entry] = text; }
  void SetTurboEnabled(std::uint8_t, bool) override {}
  void SetTurboChecked(std::uint8_t entry, bool checked) override { turbo[entry] = checked; }
  std::map<int, std::string> texts;
  std::map<int, bool> turbo;
};

// Kept with one number of buttons, given back with another: each binding
// returns to the entry of its profile key.
TEST(ProgramRules, KeptBindingsComeBackByProfileKey) {
  BindingTable kept(4);  // the stick's Up row is entry 5
  kept[1] = KeyBinding('A');
  kept[1].Turbo = true;
  kept[4] = KeyBinding('D');
  kept[5] = KeyBinding('U');
  kept[kept.ExtraEntry(0)] = KeyBinding('P');

  struct Case {
    int buttons;
    std::vector<std::pair<int, char>> keys;  // entry, key ('-' for none)
  };
  const Case kCases[] = {
      {4, {{1, 'A'}, {2, '-'}, {4, 'D'}, {5, 'U'}, {9, 'P'}}},
      {6, {{1, 'A'}, {4, 'D'}, {5, '-'}, {6, '-'}, {7, 'U'}, {11, 'P'}}},
      {2, {{1, 'A'}, {2, '-'}, {3, 'U'}, {7, 'P'}}},  // button 4 is gone
  };
  for (const Case& c : kCases) {
    BindingTable table(c.buttons);
    table[2] = KeyBinding('Z');  // the rule's, replaced by nothing
    RowTexts rows;
    GiveBackBindings(table, kept, &rows);
    for (const auto& [entry, key] : c.keys) {
      const Binding& b = table[static_cast<std::uint8_t>(entry)];
      const char shown = b.Action == ActEmulKey ? static_cast<char>(b.VCode) : '-';
      EXPECT_EQ(shown, key) << c.buttons << " buttons, entry " << entry;
      EXPECT_EQ(rows.texts[entry], table.ActToStr(static_cast<std::uint8_t>(entry)))
          << c.buttons << " buttons, entry " << entry;
    }
    EXPECT_TRUE(table[1].Turbo);
    EXPECT_TRUE(rows.turbo[1]);
    EXPECT_EQ(rows.texts.size(), static_cast<std::size_t>(table.EntryCount()));
  }
}

// A change of the program in front: what the last profile held goes up
// first, then Off takes effect or lifts, then the profile comes, and the
// popup names it; nothing at all when nothing changes.
TEST(ProgramRules, ARulesActionIsCarriedOutInItsOrder) {
  struct Target : RuleTarget {
    void ReleaseAll() override { steps.push_back("release"); }
    bool Quiet() const override { return quiet; }
    void SetQuiet(bool q) override {
      quiet = q;
      steps.push_back(q ? "quiet" : "loud");
    }
    void LoadRuleProfile(const std::string& path) override { steps.push_back("load " + path); }
    void GiveBack(const BindingTable&) override { steps.push_back("give back"); }
    void Switched(const std::string& profile, const std::string& program) override {
      steps.push_back("popup " + profile + " " + program);
    }
    bool quiet = false;
    std::vector<std::string> steps;
  };
  struct Case {
    RuleAction::Kind kind;
    bool quietBefore, quietAfter;
    std::vector<std::string> steps;
  };
  const Case cases[] = {
      {RuleAction::Nothing, false, false, {}},
      {RuleAction::Nothing, true, true, {}},
      {RuleAction::Nothing, false, true, {"release", "quiet"}},
      {RuleAction::Nothing, true, false, {"release", "loud"}},
      {RuleAction::Load, true, false, {"release", "loud", "load p.ini", "popup p.ini game.exe"}},
      {RuleAction::GiveBack, false, false, {"release", "loud", "give back", "popup p.ini game.exe"}},
  };
  for (const Case& c : cases) {
    Target t;
    t.quiet = c.quietBefore;
    RuleAction action;
    action.kind = c.kind;
    action.profile = "p.ini";
    EXPECT_EQ(ApplyRuleAction(action, c.quietAfter, "game.exe", t), !c.steps.empty());
    EXPECT_EQ(t.steps, c.steps);
    EXPECT_EQ(t.quiet, c.quietAfter);
  }
}

}  // namespace
}  // namespace vantrel
