#pragma once
// What the options window does apart from any window: its steppers, the
// working copy it edits, and what OK changes in the program. The window only
// turns clicks into these calls and shows the results.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "base/IniFile.h"
#include "bindings/Binding.h"
#include "config/Settings.h"
#include "input/ControllerChoice.h"

namespace vantrel {

// The sixteen steppers. The show time is not part of the working copy: it
// changes the popup at once.
enum class Stepper : std::uint8_t {
  Buttons,
  Refresh,
  DeadX,
  DeadY,
  RangeX,
  RangeY,
  Turbo,
  MAccel,
  MSpeed,
  ShowTime,
  DeadAxes,
  Curve,
  HoldTime,
  DoubleTime,
  TapTime,
  ChordTime,
};
inline constexpr int kStepperCount = 16;

// One click raises a value below the upper limit, or lowers one above the
// lower limit, by the step; the limits are tested before the step, so a value
// off the grid (from a hand-edited file) can end one step beyond a limit.
// The four press times are the exception: the pipeline reads them only
// within their range, so a click takes them to the next value on their grid
// and never past a limit.
struct StepperRule {
  double step;
  double lower;
  double upper;
};
const StepperRule& RuleOf(Stepper which);

// One click on the stepper's value inside `s` (up raises, down lowers). The
// acceleration works in tenths: 10 times the value, rounded half to even and
// kept in 8 bits, moves by one between 1 and 50, then is stored divided by 10.
void Step(Settings& s, Stepper which, bool up);

// The stepper's display: whole numbers in decimal, the two mouse values in
// general format with the locale's decimal separator (0.1, 1.5, 5, 8).
std::string StepperText(const Settings& s, Stepper which, char decimalSeparator);

// The language combo's items.
enum LanguageItem : std::uint8_t { kEnglish = 0, kRussian = 1, kOther = 2 };
inline constexpr char kRussianPack[] = "Russian.lng";
inline constexpr char kLanguageFilter[] = "LanguagePak|*.lng";

// The options the window edits between showing and OK: the stepper values
// and the language (index and pack name), kept as a settings snapshot.
class OptionsCopy {
 public:
  // Showing the window: the copy starts from what the program holds.
  void Fill(const Settings& program) { work_ = program; }
  const Settings& Work() const { return work_; }

  void Step(Stepper which, bool up) { vantrel::Step(work_, which, up); }
  // The device's own count of buttons, whatever the stepper's limits; the
  // table holds no more than 32, so a larger count is taken as 32.
  void AutoDetect(int deviceButtonCount);
  // English and Russian name their pack at once; Other takes the pack the
  // file dialog chose, and nothing when it was cancelled or gave no name.
  // The index and the name change together, so that a cancelled Other never
  // pairs a bare name with the index that expects a full path. Returns the
  // item that now stands for the working language.
  int ChooseLanguage(int item, const std::optional<std::string>& chosenPack);
  void ChooseController(const ControllerWish& wish) {
    work_.Controller = wish.name;
    work_.ControllerId = wish.id;
  }

  // What OK has to do besides taking the values.
  bool LanguageChanged(const Settings& program) const {
    return work_.LanguagePak != program.LanguagePak;
  }
  bool ButtonsChanged(const Settings& program) const {
    return work_.NumOfButtons != program.NumOfButtons;
  }

 private:
  Settings work_;
};

// The combo item of a language index: 2 and above are all "Other".
int LanguageItemOf(std::uint8_t pakIndex);

// The bindings by their profile key names, as a profile file keeps them. A
// change of the number of buttons moves the direction entries, so the table is
// put back by name afterwards; this copy stands in when the scratch profile
// on disk cannot be written or read back.
class MemoryProfile final : public IniFile {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void EraseSection(const std::string& section) override;
  bool Empty() const { return values_.empty(); }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace vantrel
