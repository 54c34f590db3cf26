#pragma once
// The entries after the buttons, in table order: the stick's four directions,
// then those of the rest of a controller (its first hat and the two sides of
// every other axis). Each is a row of this table: its profile key prefix, the
// key of its row's caption in [MainWindow], and the control that fires it.
// Profiles find an entry by its prefix, so any number of buttons works.
#include <array>
#include <cstdint>

namespace vantrel {

// A controller's axes, in the order of the state record.
enum ControllerAxis : std::uint8_t {
  AxisX,
  AxisY,
  AxisZ,
  AxisRx,
  AxisRy,
  AxisRz,
  AxisSlider1,
  AxisSlider2,
  // An Xbox pad's two triggers, each an axis of its own, which the two sides
  // of Z stand for on such a pad.
  AxisLeftTrigger,
  AxisRightTrigger,
};
// The axes of the state record; a pad's, with the triggers.
inline constexpr int kControllerAxes = 8;
inline constexpr int kPadAxes = 10;

enum HatDirection : std::uint8_t { HatUp, HatDown, HatLeft, HatRight };

// What fires an entry after the buttons.
struct EntryControl {
  // Stick: X or Y by the sign of its value, the stick's own rule. Axis: one
  // side of another axis, away from where it rests. Hat: one direction of
  // the first hat.
  enum Kind : std::uint8_t { Stick, Axis, Hat } kind;
  std::uint8_t index;  // the ControllerAxis, or the HatDirection
  std::int8_t side;    // -1 the minus side, +1 the plus side; 0 for a hat
};

struct AxisEntry {
  const char* prefix;  // of its profile keys
  const char* label;   // the [MainWindow] key of its row's caption
  EntryControl control;
  // What fires it on a pad that has this control instead (Z's sides on an
  // Xbox pad: LT is Z+, RT is Z-); the same as `control` where none.
  EntryControl instead = control;
};

// The stick's rows are stored crossed (the Up row under "Left", Down under
// "Right", Left under "Up", Right under "Down"): every saved profile relies
// on this pairing.
inline constexpr std::array<AxisEntry, 20> kAxisEntries{{
    {"Left", "Up", {EntryControl::Stick, AxisY, -1}},
    {"Right", "Down", {EntryControl::Stick, AxisY, +1}},
    {"Up", "Left", {EntryControl::Stick, AxisX, -1}},
    {"Down", "Right", {EntryControl::Stick, AxisX, +1}},
    {"POVUp", "POVUp", {EntryControl::Hat, HatUp, 0}},
    {"POVDown", "POVDown", {EntryControl::Hat, HatDown, 0}},
    {"POVLeft", "POVLeft", {EntryControl::Hat, HatLeft, 0}},
    {"POVRight", "POVRight", {EntryControl::Hat, HatRight, 0}},
    {"ZMinus", "ZMinus", {EntryControl::Axis, AxisZ, -1}, {EntryControl::Axis, AxisRightTrigger, +1}},
    {"ZPlus", "ZPlus", {EntryControl::Axis, AxisZ, +1}, {EntryControl::Axis, AxisLeftTrigger, +1}},
    {"RxMinus", "RxMinus", {EntryControl::Axis, AxisRx, -1}},
    {"RxPlus", "RxPlus", {EntryControl::Axis, AxisRx, +1}},
    {"RyMinus", "RyMinus", {EntryControl::Axis, AxisRy, -1}},
    {"RyPlus", "RyPlus", {EntryControl::Axis, AxisRy, +1}},
    {"RzMinus", "RzMinus", {EntryControl::Axis, AxisRz, -1}},
    {"RzPlus", "RzPlus", {EntryControl::Axis, AxisRz, +1}},
    {"Slider1Minus", "Slider1Minus", {EntryControl::Axis, AxisSlider1, -1}},
    {"Slider1Plus", "Slider1Plus", {EntryControl::Axis, AxisSlider1, +1}},
    {"Slider2Minus", "Slider2Minus", {EntryControl::Axis, AxisSlider2, -1}},
    {"Slider2Plus", "Slider2Plus", {EntryControl::Axis, AxisSlider2, +1}},
}};
inline constexpr int kStickEntries = 4;

// The sticks whose four directions one binding can make a pointer of
// ("Pointer (stick)"): X and Y, Rx and Ry, Z and Rz.
enum class PointerStick : std::uint8_t { None, XY, RxRy, ZRz };
inline constexpr int kPointerSticks = 3;
struct StickAxes {
  ControllerAxis horizontal, vertical;
};
inline constexpr StickAxes kStickAxes[kPointerSticks] = {
    {AxisX, AxisY}, {AxisRx, AxisRy}, {AxisZ, AxisRz}};

constexpr PointerStick StickOfControl(const EntryControl& control) {
  if (control.kind == EntryControl::Stick) return PointerStick::XY;
  if (control.kind != EntryControl::Axis) return PointerStick::None;
  if (control.index == AxisRx || control.index == AxisRy) return PointerStick::RxRy;
  if (control.index == AxisZ || control.index == AxisRz) return PointerStick::ZRz;
  return PointerStick::None;
}
// The entries of the hat and of the other axes, after the stick's.
inline constexpr int kExtraEntries = static_cast<int>(kAxisEntries.size()) - kStickEntries;

}  // namespace vantrel
