#include "config/Options.h"

#include <gtest/gtest.h>

#include "bindings/Profile.h"

namespace vantrel {
namespace {

// Where each stepper keeps its value in a settings snapshot.
double ValueOf(const Settings& s, Stepper which) {
  switch (which) {
    case Stepper::Buttons: return s.NumOfButtons;
    case Stepper::Refresh: return s.tmrRefresh;
    case Stepper::DeadX: return s.DeadZoneX;
    case Stepper::DeadY: return s.DeadZoneY;
    case Stepper::RangeX: return s.RangeX;
    case Stepper::RangeY: return s.RangeY;
    case Stepper::Turbo: return s.tmrTurbo;
    case Stepper::MAccel: return s.MAccelarate;
    case Stepper::MSpeed: return s.MSpeed;
    case Stepper::ShowTime: return s.PopupShowTime;
    case Stepper::DeadAxes: return s.DeadZoneAxes;
    case Stepper::Curve: return s.PointerCurve;
    case Stepper::HoldTime: return s.HoldTime;
    case Stepper::DoubleTime: return s.DoubleTime;
    case Stepper::TapTime: return s.TapTime;
    case Stepper::ChordTime: return s.ChordTime;
  }
  return 0;
}

void SetValue(Settings& s, Stepper which, double v) {
  switch (which) {
    case Stepper::Buttons: s.NumOfButtons = static_cast<std::uint8_t>(v); break;
    case Stepper::Refresh: s.tmrRefresh = static_cast<std::int32_t>(v); break;
    case Stepper::DeadX: s.DeadZoneX = static_cast<std::int32_t>(v); break;
    case Stepper::DeadY: s.DeadZoneY = static_cast<std::int32_t>(v); break;
    case Stepper::RangeX: s.RangeX = static_cast<std::int32_t>(v); break;
    case Stepper::RangeY: s.RangeY = static_cast<std::int32_t>(v); break;
    case Stepper::Turbo: s.tmrTurbo = static_cast<std::int32_t>(v); break;
    case Stepper::MAccel: s.MAccelarate = v; break;
    case Stepper::MSpeed: s.MSpeed = v; break;
    case Stepper::ShowTime: s.PopupShowTime = static_cast<std::uint8_t>(v); break;
    case Stepper::DeadAxes: s.DeadZoneAxes = static_cast<std::int32_t>(v); break;
    case Stepper::Curve: s.PointerCurve = v; break;
    case Stepper::HoldTime: s.HoldTime = static_cast<std::int32_t>(v); break;
    case Stepper::DoubleTime: s.DoubleTime = static_cast<std::int32_t>(v); break;
    case Stepper::TapTime: s.TapTime = static_cast<std::int32_t>(v); break;
    case Stepper::ChordTime: s.ChordTime = static_cast<std::int32_t>(v); break;
  }
}

struct StepCase {
  Stepper which;
  double from;
  bool up;
  double to;          // after one click
  double again;       // after a second click the same way
  const char* shown;  // the display after the first click, point as separator
};

constexpr bool kUp = true;
constexpr bool kDown = false;

const StepCase kStepCases[] = {
    // Every limit pair: the last step onto each limit, and none beyond it.
    {Stepper::Buttons, 31, kUp, 32, 32, "32"},
    {Stepper::Buttons, 2, kDown, 1, 1, "1"},
    {Stepper::Buttons, 0, kUp, 1, 2, "1"},  // nothing detected, then one click
    {Stepper::Refresh, 490, kUp, 500, 500, "500"},
    {Stepper::Refresh, 60, kDown, 50, 50, "50"},
    {Stepper::DeadX, 90, kUp, 95, 95, "95"},
    {Stepper::DeadX, 10, kDown, 5, 5, "5"},
    {Stepper::DeadY, 90, kUp, 95, 95, "95"},
    {Stepper::DeadY, 10, kDown, 5, 5, "5"},
    {Stepper::RangeX, 950, kUp, 1000, 1000, "1000"},
    {Stepper::RangeX, 100, kDown, 50, 50, "50"},
    {Stepper::RangeY, 950, kUp, 1000, 1000, "1000"},
    {Stepper::RangeY, 100, kDown, 50, 50, "50"},
    {Stepper::Turbo, 990, kUp, 1000, 1000, "1000"},
    {Stepper::Turbo, 20, kDown, 10, 10, "10"},
    {Stepper::MSpeed, 19, kUp, 20, 20, "20"},
    {Stepper::MSpeed, 2, kDown, 1, 1, "1"},
    {Stepper::ShowTime, 59, kUp, 60, 60, "60"},
    {Stepper::ShowTime, 1, kDown, 0, 0, "0"},
    {Stepper::DeadAxes, 90, kUp, 95, 95, "95"},
    {Stepper::DeadAxes, 10, kDown, 5, 5, "5"},
    {Stepper::Curve, 2.5, kUp, 3, 3, "3"},
    {Stepper::Curve, 1.5, kDown, 1, 1, "1"},
    {Stepper::Curve, 2, kUp, 2.5, 3, "2.5"},
    {Stepper::HoldTime, 950, kUp, 1000, 1000, "1000"},
    {Stepper::HoldTime, 150, kDown, 100, 100, "100"},
    {Stepper::HoldTime, 200, kUp, 250, 300, "250"},
    {Stepper::DoubleTime, 950, kUp, 1000, 1000, "1000"},
    {Stepper::DoubleTime, 150, kDown, 100, 100, "100"},
    {Stepper::TapTime, 190, kUp, 200, 200, "200"},
    {Stepper::TapTime, 20, kDown, 10, 10, "10"},
    {Stepper::ChordTime, 190, kUp, 200, 200, "200"},
    {Stepper::ChordTime, 30, kDown, 20, 20, "20"},
    {Stepper::ChordTime, 50, kDown, 40, 30, "40"},
    // The press times off their grid: onto it, and never past a limit.
    {Stepper::HoldTime, 355, kUp, 400, 450, "400"},
    {Stepper::HoldTime, 355, kDown, 350, 300, "350"},
    {Stepper::HoldTime, 990, kUp, 1000, 1000, "1000"},
    {Stepper::HoldTime, 1020, kUp, 1000, 1000, "1000"},
    {Stepper::HoldTime, 1020, kDown, 1000, 950, "1000"},
    {Stepper::TapTime, 15, kDown, 10, 10, "10"},
    {Stepper::TapTime, 5, kUp, 10, 20, "10"},
    {Stepper::ChordTime, -7, kDown, 20, 20, "20"},
    // Off the grid: the limit is tested before the step.
    {Stepper::Turbo, 995, kUp, 1005, 1005, "1005"},
    {Stepper::Turbo, 15, kDown, 5, 5, "5"},
    {Stepper::RangeX, 1020, kUp, 1020, 1020, "1020"},
    {Stepper::MSpeed, 8.5, kUp, 9.5, 10.5, "9.5"},
    // The acceleration in tenths.
    {Stepper::MAccel, 0.1, kDown, 0.1, 0.1, "0.1"},
    {Stepper::MAccel, 4.9, kUp, 5, 5, "5"},
    {Stepper::MAccel, 0.2, kUp, 0.3, 0.4, "0.3"},
    {Stepper::MAccel, 1.45, kUp, 1.5, 1.6, "1.5"},    // 14.5 rounds to even 14
    {Stepper::MAccel, 0.25, kUp, 0.3, 0.4, "0.3"},    // 2.5 rounds to even 2
    {Stepper::MAccel, 0.35, kDown, 0.3, 0.2, "0.3"},  // 3.5 rounds to even 4
    {Stepper::MAccel, 7.3, kDown, 7.2, 7.1, "7.2"},   // above the range: down only
    {Stepper::MAccel, 7.3, kUp, 7.3, 7.3, "7.3"},
    {Stepper::MAccel, 0, kUp, 0.1, 0.2, "0.1"},
    // Beyond any integer (a hand-edited file): held in range before the tenths.
    {Stepper::MAccel, 1e300, kUp, 0.1, 0.2, "0.1"},
    {Stepper::MAccel, -1e300, kDown, 0, 0, "0"},
};

TEST(Steppers, OneTableOfClicks) {
  for (const StepCase& c : kStepCases) {
    Settings s;
    SetValue(s, c.which, c.from);
    Step(s, c.which, c.up);
    EXPECT_DOUBLE_EQ(ValueOf(s, c.which), c.to)
        << "stepper " << static_cast<int>(c.which) << " from " << c.from;
    EXPECT_EQ(StepperText(s, c.which, '.'), c.shown)
        << "stepper " << static_cast<int>(c.which) << " from " << c.from;
    Step(s, c.which, c.up);
    EXPECT_DOUBLE_EQ(ValueOf(s, c.which), c.again)
        << "stepper " << static_cast<int>(c.which) << " again from " << c.from;
  }
}

TEST(Steppers, FloatsShowTheLocalesSeparator) {
  Settings s;
  s.MAccelarate = 1.5;
  s.MSpeed = 12;
  EXPECT_EQ(StepperText(s, Stepper::MAccel, ','), "1,5");
  EXPECT_EQ(StepperText(s, Stepper::MSpeed, ','), "12");
}

TEST(OptionsCopy, EditsOnlyTheCopy) {
  Settings program;
  program.tmrTurbo = 995;
  OptionsCopy copy;
  copy.Fill(program);
  copy.Step(Stepper::Turbo, kUp);
  copy.Step(Stepper::Buttons, kUp);
  EXPECT_EQ(copy.Work().tmrTurbo, 1005);
  EXPECT_EQ(program.tmrTurbo, 995);
  EXPECT_TRUE(copy.ButtonsChanged(program));
  EXPECT_FALSE(copy.LanguageChanged(program));
  copy.Fill(program);  // the next show starts again from the program
  EXPECT_EQ(copy.Work().tmrTurbo, 995);
  EXPECT_FALSE(copy.ButtonsChanged(program));
}

TEST(OptionsCopy, AutoDetectTakesTheDevicesCountUpToTheTablesLimit) {
  const std::pair<int, int> cases[] = {{12, 12}, {0, 0}, {32, 32}, {33, 32}, {128, 32}, {-1, 0}};
  for (auto [device, taken] : cases) {
    OptionsCopy copy;
    copy.AutoDetect(device);
    EXPECT_EQ(copy.Work().NumOfButtons, taken) << device;
  }
}

TEST(OptionsCopy, TheLanguageIndexAndNameChangeTogether) {
  struct Case {
    std::uint8_t pakIndex;
    const char* pack;
    int item;
    std::optional<std::string> chosen;
    int shownItem;
    std::uint8_t workIndex;
    const char* workPack;
  };
  const Case cases[] = {
      {0, "", kRussian, std::nullopt, kRussian, 1, "Russian.lng"},
      {1, "Russian.lng", kEnglish, std::nullopt, kEnglish, 0, ""},
      {0, "", kOther, "C:\\P\\de.lng", kOther, 2, "C:\\P\\de.lng"},
      // A cancelled or empty choice keeps the language, and the combo shows it.
      {1, "Russian.lng", kOther, std::nullopt, kRussian, 1, "Russian.lng"},
      {0, "", kOther, "", kEnglish, 0, ""},
      {2, "C:\\P\\de.lng", kOther, std::nullopt, kOther, 2, "C:\\P\\de.lng"},
      {7, "C:\\P\\de.lng", kOther, std::nullopt, kOther, 7, "C:\\P\\de.lng"},
  };
  for (const Case& c : cases) {
    Settings program;
    program.PakIndex = c.pakIndex;
    program.LanguagePak = c.pack;
    OptionsCopy copy;
    copy.Fill(program);
    EXPECT_EQ(copy.ChooseLanguage(c.item, c.chosen), c.shownItem) << c.pack << " " << c.item;
    EXPECT_EQ(copy.Work().PakIndex, c.workIndex) << c.pack << " " << c.item;
    EXPECT_EQ(copy.Work().LanguagePak, c.workPack) << c.pack << " " << c.item;
  }
  Settings russian;
  russian.PakIndex = 1;
  russian.LanguagePak = kRussianPack;
  OptionsCopy copy;
  copy.Fill(russian);
  copy.ChooseLanguage(kRussian, std::nullopt);
  EXPECT_FALSE(copy.LanguageChanged(russian)) << "the same language again changes nothing";
}

TEST(MemoryProfile, CarriesBindingsOverAChangeOfButtonCountByName) {
  BindingTable table(16);
  table[3] = {.VCode = 65, .Action = ActEmulKey};
  table[14] = {.Execute = "C:\\x.exe", .Action = ActRun};
  table[table.EntryUp] = {.VCode = 38, .Action = ActEmulKey};
  table[table.EntryRight] = {.VCode = 300, .Action = ActEmulClick};
  MemoryProfile copy;
  SaveIni(table, copy);
  table.Resize(12);
  LoadIni(table, copy, 0, nullptr);
  EXPECT_EQ(table[3].VCode, 65);
  EXPECT_EQ(table[table.EntryUp].VCode, 38);
  EXPECT_EQ(table[table.EntryUp].Action, ActEmulKey);
  EXPECT_EQ(table[table.EntryRight].VCode, 300);
  EXPECT_EQ(table[table.EntryDown].Action, ActNone);
  table.Resize(16);
  LoadIni(table, copy, 0, nullptr);
  EXPECT_EQ(table[14].Action, ActRun) << "the copy keeps what a smaller table dropped";
}

}  // namespace
}  // namespace vantrel
