#include "config/BindingEditor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "bindings/KeyName.h"
#include "ui/FileDialogResult.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;

struct Rows : RowView {
  void SetRowText(std::uint8_t e, const std::string& t) override { text[e] = t; }
  void SetTurboEnabled(std::uint8_t e, bool on) override { turboEnabled[e] = on; }
  void SetTurboChecked(std::uint8_t e, bool on) override { turboChecked[e] = on; }
  std::map<int, std::string> text;
  std::map<int, bool> turboEnabled, turboChecked;
};

// Entries of every kind, as a profile may hold them.
const Binding kKinds[] = {
    {},
    {.INI = {"C:\\p\\a.ini", "C:\\p\\b.ini"}, .INICount = 2, .Action = ActChangeIni},
    {.VCode = 65, .Shift = 17, .Turbo = true, .Action = ActEmulKey},
    {.VCode = 903, .Action = ActEmulClick},
    {.Execute = "C:\\Games\\fly.exe", .Action = ActRun},
    {.VCode = 7, .Action = 9},  // an unknown kind from a hand-edited profile
};

class Editor : public ::testing::Test {
 protected:
  EntryEditor Start(const Binding& b, int entry = 2) {
    table[static_cast<std::uint8_t>(entry)] = b;
    EntryEditor editor(table, rows);
    editor.CurrentEntry = entry;
    return editor;
  }
  const Binding& Entry(int e = 2) { return table[static_cast<std::uint8_t>(e)]; }

  BindingTable table{4};
  Rows rows;
};

TEST_F(Editor, CancelAfterAnyEditGivesBackTheEntryExactly) {
  // What each dialog can do to the entry before the user cancels.
  const std::vector<void (*)(EntryEditor&)> edits = {
      [](EntryEditor& e) { e.CaptureKey(116), e.ChooseModifier(2), e.PickSpecialKey(1); },
      [](EntryEditor& e) { e.PickMouseAction(4); },
      [](EntryEditor& e) { e.ClearProfiles(); },
  };
  for (const Binding& original : kKinds) {
    for (auto edit : edits) {
      const Binding pressed = original;
      EntryEditor editor = Start(pressed);
      editor.Begin();
      EXPECT_EQ(Entry().Action, original.Action) << "opening keeps the kind";
      EXPECT_TRUE(Entry().INI.empty() && Entry().Execute.empty() && Entry().VCode == 0);
      edit(editor);
      editor.Cancel();
      EXPECT_EQ(Entry(), pressed);
      EXPECT_TRUE(rows.text.empty()) << "Cancel leaves the row as it was";
    }
  }
}

TEST_F(Editor, CancelKRestoresExactlyTheLastBackup) {
  const Binding original{.INI = {"C:\\a.ini", "C:\\b.ini"}, .INICount = 2, .Action = ActChangeIni};
  EntryEditor editor = Start(original, 1);
  editor.CancelK(false);
  table[1].INI.push_back("C:\\c.ini");
  table[1].INICount = 3;
  table[1].Action = ActRun;
  editor.CancelK(true);
  EXPECT_EQ(Entry(1), original);

  table[2] = {.Execute = "f", .Action = ActRun};
  editor.CancelK(false);
  editor.CurrentEntry = 2;
  editor.CancelK(false);
  editor.CurrentEntry = 1;
  editor.CancelK(true);
  EXPECT_EQ(Entry(1), Entry(2)) << "a second backup replaces the first";
}

TEST_F(Editor, KeyDialogOkBindsTheLastChoice) {
  struct Case {
    std::vector<std::uint16_t> captured;
    int picked;  // -1: nothing picked from the list
    int modifier;
    std::uint16_t vcode, shift;
    const char* row;
  };
  const Case cases[] = {
      {{116}, -1, 0, 116, 0, "F5"},
      {{17, 116}, -1, 0, 116, 0, "F5"},  // holding Ctrl, then F5: the last key wins
      {{65}, -1, 2, 65, 17, "Ctrl+A"},
      {{}, 1, 0, 145, 0, "ScrollLock"},
      {{}, 12, 5, 40, 92, "RWin+Arrow Down"},
      {{}, -1, 0, 0, 0, ""},  // OK with nothing chosen
      {{}, -1, 3, 0, 18, "Alt+"},
      {{}, 13, 6, 0, 0, ""},  // no such items: nothing changes
  };
  for (const Case& c : cases) {
    EntryEditor editor = Start(kKinds[4]);
    editor.Begin();
    if (c.picked >= 0) editor.PickSpecialKey(c.picked);
    for (std::uint16_t key : c.captured) editor.CaptureKey(key);
    editor.ChooseModifier(c.modifier);
    editor.AcceptKey();
    EXPECT_EQ(Entry().Action, ActEmulKey);
    EXPECT_EQ(Entry().VCode, c.vcode) << c.row;
    EXPECT_EQ(Entry().Shift, c.shift) << c.row;
    EXPECT_EQ(Entry().Execute, "") << "a run entry made a key keeps no program";
    EXPECT_EQ(rows.text[2], c.row);
    EXPECT_TRUE(rows.turboEnabled[2]);
  }
  // A key pressed after a pick overrides it, and a pick after a key too.
  EntryEditor editor = Start({});
  editor.Begin();
  editor.PickSpecialKey(0);
  editor.CaptureKey(40);
  EXPECT_EQ(Entry().VCode, 40);
  editor.PickSpecialKey(4);
  EXPECT_EQ(Entry().VCode, 9);
}

TEST_F(Editor, EveryKindMadeMouseOrSwitchLosesTurbo) {
  for (const Binding& original : kKinds) {
    EntryEditor mouse = Start(original);
    mouse.Begin();
    mouse.PickMouseAction(0);
    mouse.PickMouseAction(5);  // only the last counts
    mouse.AcceptMouse();
    EXPECT_EQ(Entry(), (Binding{.VCode = 904, .Action = ActEmulClick}));
    EXPECT_EQ(rows.text[2], "Mouse Down");
    EXPECT_FALSE(rows.turboEnabled[2]);
    EXPECT_FALSE(rows.turboChecked[2]) << "box and field agree";

    EntryEditor list = Start(original);
    list.Begin();
    EXPECT_TRUE(list.AcceptProfiles({"C:\\p\\x.ini", "C:\\p\\y.ini", "C:\\p\\z.ini"}));
    EXPECT_EQ(Entry(), (Binding{.INI = {"C:\\p\\x.ini", "C:\\p\\y.ini", "C:\\p\\z.ini"},
                                .INICount = 3,
                                .Action = ActChangeIni}));
    EXPECT_EQ(rows.text[2], "y.ini") << "the profile the first press loads";
    EXPECT_FALSE(rows.turboEnabled[2]);
    EXPECT_FALSE(rows.turboChecked[2]);
  }
}

TEST_F(Editor, MouseOkWithNothingChosenDoesNothingWhenPressed) {
  EntryEditor editor = Start(kKinds[2]);
  editor.Begin();
  editor.PickMouseAction(-1);  // text typed into the box
  editor.AcceptMouse();
  EXPECT_EQ(Entry(), (Binding{.Action = ActEmulClick}));
  EXPECT_EQ(rows.text[2], "");
}

TEST_F(Editor, RunKeepsTheOtherFieldsAndDisablesTurbo) {
  EntryEditor editor = Start(kKinds[2]);
  editor.AcceptRun("C:\\Program Files\\Game\\game.exe");
  Binding expected = kKinds[2];
  expected.Execute = "C:\\Program Files\\Game\\game.exe";
  expected.Action = ActRun;
  EXPECT_EQ(Entry(), expected);
  EXPECT_EQ(rows.text[2], "game.exe");
  EXPECT_FALSE(rows.turboEnabled[2]);
}

TEST_F(Editor, ProfileListsShorterThanTwoKeepTheKind) {
  struct Case {
    Binding original;
    bool clear;
    std::vector<std::string> lines;
    Binding expected;
    const char* row;
    bool turbo;
  };
  const Case cases[] = {
      // Clear, then OK: nothing at all, and the row says so.
      {kKinds[1], true, {}, {.Action = ActNone}, "", true},
      // One file: stored as it is; a switch entry reloads it, a key entry stays a key.
      {kKinds[1],
       false,
       {"C:\\p\\one.ini"},
       {.INI = {"C:\\p\\one.ini"}, .INICount = 1, .Action = ActChangeIni},
       "one.ini",
       false},
      {kKinds[2],
       false,
       {"C:\\p\\one.ini"},
       {.INI = {"C:\\p\\one.ini"}, .INICount = 1, .Action = ActEmulKey},
       "",
       true},
      {kKinds[3], false, {}, {.Action = ActEmulClick}, "", false},
      // An empty name is never stored.
      {kKinds[0], false, {"", "C:\\p\\b.ini"}, {.INI = {"C:\\p\\b.ini"}, .INICount = 1}, "", true},
  };
  for (const Case& c : cases) {
    EntryEditor editor = Start(c.original);
    editor.Begin();
    if (c.clear) editor.ClearProfiles();
    EXPECT_FALSE(editor.AcceptProfiles(c.lines));
    EXPECT_EQ(Entry(), c.expected) << c.row;
    EXPECT_EQ(rows.text[2], c.row);
    EXPECT_EQ(rows.turboEnabled[2], c.turbo) << c.row;
  }
}

TEST(ProfileLines, MovesOnlyWhatCanMove) {
  ProfileLines lines;
  lines.Assign(kKinds[1]);
  EXPECT_THAT(lines.Lines(), ElementsAre("C:\\p\\a.ini", "C:\\p\\b.ini"));
  EXPECT_EQ(lines.Add({"c.ini", "a.ini"}), 0u);
  // Nothing selected: nothing moves or goes.
  lines.Up();
  lines.Down();
  lines.Remove();
  EXPECT_EQ(lines.Count(), 4);
  lines.Select(0);
  lines.Up();  // the first line cannot go up
  EXPECT_EQ(lines.Selected(), 0);
  lines.Down();
  EXPECT_THAT(lines.Lines(), ElementsAre("C:\\p\\b.ini", "C:\\p\\a.ini", "c.ini", "a.ini"));
  EXPECT_EQ(lines.Selected(), 1) << "the moved line stays selected";
  lines.Select(3);
  lines.Down();  // the last line cannot go down
  EXPECT_EQ(lines.Lines().back(), "a.ini");
  lines.Remove();
  EXPECT_THAT(lines.Lines(), ElementsAre("C:\\p\\b.ini", "C:\\p\\a.ini", "c.ini"));
  EXPECT_EQ(lines.Selected(), 2);
  lines.Select(7);
  EXPECT_EQ(lines.Selected(), -1);
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
}

TEST(ProfileLines, HoldAtMost255Files) {
  ProfileLines lines;
  lines.Add(std::vector<std::string>(250, "a.ini"));
  EXPECT_EQ(lines.Add(std::vector<std::string>(8, "b.ini")), 3u);
  EXPECT_EQ(lines.Count(), 255);
  EXPECT_EQ(lines.Lines()[249], "a.ini") << "nothing listed is lost";
  EXPECT_EQ(lines.Lines()[254], "b.ini");
}

TEST(DialogLists, FollowTheLanguage) {
  KeptTexts texts;
  texts.None = "Nichts";
  texts.Arrow = "Pfeil";
  texts.Left = "Links";
  texts.Mouse = "Maus";
  texts.MouseLButton = "Maus L";
  EXPECT_THAT(ModifierTexts(texts), ElementsAre("Nichts", "Shift", "Ctrl", "Alt", "LWin", "RWin"));
  const std::vector<std::string> keys = SpecialKeyTexts(texts);
  ASSERT_EQ(keys.size(), 13u);
  EXPECT_EQ(keys[1], "Scroll Lock");
  EXPECT_EQ(keys[9], "Pfeil Links");
  EXPECT_EQ(keys[12], "Pfeil Down");
  EXPECT_THAT(MouseActionTexts(texts), ElementsAre("Maus L", "MouseRButton", "Maus Links",
                                                   "Maus Right", "Maus Up", "Maus Down"));
  // Each special key and mouse item is named in the row as in its list.
  for (std::size_t i = 9; i < 13; ++i) EXPECT_EQ(KeyName(kSpecialKeys[i].vcode, texts), keys[i]);
  const std::vector<std::string> mouse = MouseActionTexts(texts, true);
  for (std::size_t i = 0; i < kMouseActions.size(); ++i)
    EXPECT_EQ(KeyName(kMouseActions[i], texts), mouse[i]);
}

TEST(FileDialogResult, GivesFullPathsInTheDialogsOrder) {
  using namespace std::string_literals;
  EXPECT_THAT(SplitFileDialogResult("C:\\p\\a.ini\0\0"s), ElementsAre("C:\\p\\a.ini"));
  EXPECT_THAT(SplitFileDialogResult("C:\\p\0d.ini\0e.ini\0\0"s),
              ElementsAre("C:\\p\\d.ini", "C:\\p\\e.ini"));
  EXPECT_THAT(SplitFileDialogResult("C:\\\0a.ini\0\0"s), ElementsAre("C:\\a.ini"));
  EXPECT_TRUE(SplitFileDialogResult(std::string(8, '\0')).empty());
}

// In a layer, the dialogs edit the layer's entry; Cancel gives back even
// a transparent entry, and the base is never touched.
TEST_F(Editor, InALayerTheEntryOfThatLayerIsEdited) {
  const Binding base{.VCode = 65, .Action = ActEmulKey};
  EntryEditor editor = Start(base);
  editor.Layer = 3;
  editor.Begin();
  editor.CaptureKey(66);
  editor.Cancel();
  EXPECT_FALSE(table.InLayer(3, 2)) << "transparent again";
  EXPECT_TRUE(rows.text.empty());

  editor.Begin();
  editor.CaptureKey(66);
  editor.AcceptKey();
  EXPECT_EQ(table.InLayer(3, 2)->VCode, 66);
  EXPECT_EQ(Entry(), base);
  EXPECT_EQ(rows.text[2], "B");

  editor.Begin();
  editor.AcceptNothing();
  EXPECT_EQ(table.InLayer(3, 2), Binding{}) << "blocked";
  EXPECT_EQ(rows.text[2], "Nothing");
  editor.Begin();
  editor.AcceptSameAsBelow();
  EXPECT_FALSE(table.InLayer(3, 2));
  EXPECT_EQ(rows.text[2], "A") << "a transparent row shows the base";
  EXPECT_FALSE(rows.turboEnabled[2]);

  editor.Layer = 0;
  editor.Begin();
  editor.AcceptSameAsBelow();  // the base has nothing below it
  editor.AcceptNothing();
  EXPECT_EQ(Entry().Action, ActEmulKey);
}

TEST_F(Editor, TheLayerDialogSetsLayerAndMode) {
  EntryEditor editor = Start({.VCode = 65, .Turbo = true, .Action = ActEmulKey});
  editor.Begin();
  editor.AcceptLayer(2, LayerToggle);
  EXPECT_EQ(Entry(), (Binding{.Action = ActLayer, .Layer = 2, .LayerMode = LayerToggle}));
  EXPECT_EQ(rows.text[2], "Layer: Layer 2 (toggle)");
  EXPECT_FALSE(rows.turboChecked[2]);
  EXPECT_FALSE(rows.turboEnabled[2]);
  editor.AcceptLayer(0, LayerHold);
  EXPECT_EQ(Entry().Layer, 1) << "only Set goes back to the base";
  editor.AcceptLayer(0, LayerSet);
  EXPECT_EQ(Entry().Layer, 0);
  editor.AcceptLayer(12, LayerOnce);
  EXPECT_EQ(Entry().Layer, kLayers);
}

// The Hold and Double parts are edited with the same dialogs: the entry's
// own action and the row's Turbo box stay as they were, Cancel gives back
// every part, and a part cleared makes the entry act at once again.
TEST_F(Editor, TheHoldAndDoublePartsAreEditedBesideTheEntrysOwnAction) {
  const Binding esc{.VCode = 27, .Turbo = true, .Action = ActEmulKey};
  EntryEditor editor = Start(esc);
  rows.turboChecked[2] = true;
  editor.EditPart = EntryEditor::Part::Hold;
  editor.Begin();
  editor.AcceptLayer(1, LayerHold);
  editor.EditPart = EntryEditor::Part::Double;
  editor.Begin();
  editor.CaptureKey(116);
  editor.AcceptKey();
  EXPECT_EQ(Entry().VCode, 27);
  EXPECT_TRUE(Entry().Turbo) << "the entry's own action keeps its fields";
  EXPECT_TRUE(rows.turboChecked[2]) << "the row's box is the own action's";
  EXPECT_EQ(rows.text[2], "Esc / hold: Layer Layer 1 / double: F5");
  EXPECT_TRUE(Waits(Entry()));

  const Binding both = Entry();
  editor.Begin();
  editor.CaptureKey(117);
  editor.Cancel();
  EXPECT_EQ(Entry(), both) << "Cancel in a part";

  editor.ClearPart();
  editor.EditPart = EntryEditor::Part::Hold;
  editor.ClearPart();
  EXPECT_EQ(Entry(), esc) << "both parts gone: the entry as it was";
  EXPECT_FALSE(Waits(Entry()));
  EXPECT_EQ(rows.text[2], "Esc");

  editor.EditPart = EntryEditor::Part::Press;
  editor.Begin();
  editor.CaptureKey(66);
  editor.AcceptKey();
  EXPECT_EQ(Entry().VCode, 66);
  EXPECT_TRUE(Entry().Hold.empty() && Entry().Double.empty());
}

// Looking at the action edited makes nothing: a part not bound or an entry
// a layer leaves to the layers below stays so. What it was at opening is
// the part's own.
TEST_F(Editor, ExistingAndSavedActionAreThePartsAndMakeNothing) {
  const Binding hold{.VCode = 116, .Action = ActEmulKey};
  EntryEditor editor = Start({.VCode = 27, .Action = ActEmulKey, .Hold = {hold}});
  struct Case {
    EntryEditor::Part part;
    int layer;
    std::optional<Binding> expected;
  };
  const Binding own = Entry();
  const Case cases[] = {{EntryEditor::Part::Press, 0, own},
                        {EntryEditor::Part::Hold, 0, hold},
                        {EntryEditor::Part::Double, 0, std::nullopt},
                        {EntryEditor::Part::Press, 1, std::nullopt},
                        {EntryEditor::Part::Hold, 1, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.part) * 10 + c.layer);
    editor.EditPart = c.part;
    editor.Layer = c.layer;
    const Binding* existing = editor.Existing();
    EXPECT_EQ(existing ? std::optional(*existing) : std::nullopt, c.expected);
    editor.Begin();
    EXPECT_EQ(editor.SavedAction(), c.expected);
    editor.Cancel();
    EXPECT_EQ(Entry(), own);
    EXPECT_FALSE(table.InLayer(1, 2));
  }
}

TEST_F(Editor, AChordsActionIsEditedWithoutTouchingAnyRow) {
  EntryEditor editor = Start({.VCode = 65, .Action = ActEmulKey});
  Binding chord{.VCode = 71, .Action = ActEmulKey};
  editor.EditChord(chord);
  EXPECT_FALSE(editor.OffersPointerStick());
  editor.Begin();
  editor.PickMouseAction(0);
  editor.Cancel();
  EXPECT_EQ(chord, (Binding{.VCode = 71, .Action = ActEmulKey}));
  editor.Begin();
  editor.PickMouseAction(0);
  editor.AcceptMouse();
  EXPECT_EQ(chord, (Binding{.VCode = 300, .Action = ActEmulClick}));
  editor.AcceptSameAsBelow();
  EXPECT_EQ(Entry(), (Binding{.VCode = 65, .Action = ActEmulKey}));
  EXPECT_TRUE(rows.text.empty() && rows.turboEnabled.empty());
  editor.EditEntry();
  EXPECT_EQ(&editor.Edited(), &table[2]);
}

// The names go in as a profile keeps them, and every row that names a
// renamed layer says so, in the layer the rows show.
TEST_F(Editor, RenamedLayersAreKeptStorableAndTheRowsNameThem) {
  EntryEditor editor = Start({.Action = ActLayer, .Layer = 2, .LayerMode = LayerHold});
  table[3] = {.Action = ActLayer, .Layer = 5, .LayerMode = LayerSet};
  table.InLayer(5, 1) = Binding{.Action = ActLayer, .Layer = 2, .LayerMode = LayerOnce};
  table.LayerNames[4] = "Menu";
  editor.Layer = 5;
  std::array<std::string, kLayers> typed = table.LayerNames;
  typed[1] = " Driving\r\n";
  EXPECT_TRUE(editor.RenameLayers(typed));
  EXPECT_EQ(table.LayerNames[1], "Driving");
  EXPECT_EQ(table.LayerNames[4], "Menu");
  EXPECT_EQ(rows.text[1], "Layer: Driving (once)");
  EXPECT_EQ(rows.text[2], "Layer: Driving (hold)") << "transparent here: the base's row";
  EXPECT_EQ(rows.text[3], "Layer: Menu (set)");

  rows.text.clear();
  typed[1] = "Driving ";
  EXPECT_FALSE(editor.RenameLayers(typed)) << "kept as it was";
  EXPECT_TRUE(rows.text.empty());
  typed = {};
  EXPECT_TRUE(editor.RenameLayers(typed));
  EXPECT_EQ(rows.text[3], "Layer: Layer 5 (set)");
}

}  // namespace
}  // namespace vantrel
