#include "app/RowLayout.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr int kButtonLeft = 8;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 20;
constexpr int kDisplayLeft = kButtonWidth + 10;
constexpr int kDisplayWidth = 115;
constexpr int kTurboLeft = kDisplayLeft + kDisplayWidth + 5;
constexpr int kTurboWidth = 57;
constexpr int kBoxHeight = 18;

}  // namespace

RowPlace PlaceOfEntry(int entry, int numOfButtons, const ShownExtras& shown) {
  if (entry <= numOfButtons) return {RowGroup::Buttons, entry};
  const int axisRow = entry - numOfButtons;
  if (axisRow <= kStickEntries) return {RowGroup::Axis, axisRow};
  const int extra = axisRow - kStickEntries - 1;
  if (extra >= kExtraEntries || !shown.test(static_cast<std::size_t>(extra)))
    return {RowGroup::Axis, 0};
  int row = kStickEntries + 1;
  for (int i = 0; i < extra; ++i) row += shown.test(static_cast<std::size_t>(i)) ? 1 : 0;
  return {RowGroup::Axis, row};
}

int AxisRows(const ShownExtras& shown) { return kStickEntries + static_cast<int>(shown.count()); }

int AxisGroupGrowth(const ShownExtras& shown, int bandRows) {
  return (std::min(AxisRows(shown), bandRows) - kStickEntries) * kRowPitch;
}

Bands BandsFor(int extraRows, int axisRows, int buttonRows) {
  Bands bands;
  for (int i = 0; i < extraRows; ++i) {
    const int axisHidden = axisRows - bands.axis;
    if (axisHidden > 0 && axisHidden > buttonRows - bands.buttons)
      ++bands.axis;
    else
      ++bands.buttons;
  }
  return bands;
}

int FirstShown(int first, int rows, int bandRows) {
  return std::clamp(first, 0, std::max(0, rows - bandRows));
}

int RowTop(int row) { return kBandTop + (row - 1) * kRowPitch; }

RowRect PartRect(RowPart part, int buttonTop) {
  switch (part) {
    case RowPart::Button: return {kButtonLeft, buttonTop, kButtonWidth, kButtonHeight};
    case RowPart::Display: return {kDisplayLeft, buttonTop + 1, kDisplayWidth, kBoxHeight};
    case RowPart::Turbo: return {kTurboLeft, buttonTop + 1, kTurboWidth, kBoxHeight};
  }
  return {};
}

bool InBand(int buttonTop, int bandRows) {
  return buttonTop >= kBandTop && buttonTop <= BandBottom(bandRows);
}

bool ShownAtStart(int entry, int numOfButtons, const ShownExtras& shown) {
  const RowPlace place = PlaceOfEntry(entry, numOfButtons, shown);
  return place.row >= 1 && place.row <= kVisibleRows;
}

std::string RowCaption(int entry, int numOfButtons, const KeptTexts& texts) {
  if (entry <= numOfButtons) return texts.Button + " " + std::to_string(entry);
  switch (entry - numOfButtons) {
    case 1: return texts.Up;
    case 2: return texts.Down;
    case 3: return texts.Left;
    case 4: return texts.Right;
  }
  const int extra = entry - numOfButtons - kStickEntries - 1;
  return extra < kExtraEntries ? texts.ExtraRows[static_cast<std::size_t>(extra)] : std::string();
}

bool RowsScroll(int rows, int bandRows) { return rows > bandRows; }

std::vector<RowStep> ScrollSteps(const std::vector<int>& buttonTops, int direction, int bandRows) {
  if (buttonTops.empty()) return {};
  const bool up = direction == kScrollUp;
  const int bandBottom = BandBottom(bandRows);
  if (up ? buttonTops.front() >= kBandTop : buttonTops.back() <= bandBottom) return {};
  const int step = up ? kRowPitch : -kRowPitch;
  const int leaving = up ? bandBottom : kBandTop;
  const int entering = up ? kBandTop : bandBottom;
  std::vector<RowStep> steps;
  steps.reserve(buttonTops.size());
  for (int top : buttonTops) steps.push_back({top == leaving, top + step, top + step == entering});
  return steps;
}

int MainWindowHeight(int wanted, int defaultHeight, int workAreaHeight) {
  if (wanted <= 0) return defaultHeight;
  return std::max(defaultHeight, std::min(wanted, workAreaHeight));
}

}  // namespace vantrel
