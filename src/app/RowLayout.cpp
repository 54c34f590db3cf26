#include "app/RowLayout.h"

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

RowPlace PlaceOfEntry(int entry, int numOfButtons) {
  if (entry <= numOfButtons) return {RowGroup::Buttons, entry};
  return {RowGroup::Axis, entry - numOfButtons};
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

bool InBand(int buttonTop) { return buttonTop >= kBandTop && buttonTop <= kBandBottom; }

bool ShownAtStart(int entry, int numOfButtons) {
  return !(entry > kVisibleRows && entry <= numOfButtons);
}

std::string RowCaption(int entry, int numOfButtons, const KeptTexts& texts) {
  if (entry <= numOfButtons) return texts.Button + " " + std::to_string(entry);
  switch (entry - numOfButtons) {
    case 1: return texts.Up;
    case 2: return texts.Down;
    case 3: return texts.Left;
    default: return texts.Right;
  }
}

bool RowsScroll(int numOfButtons) { return numOfButtons > kVisibleRows; }

std::vector<RowStep> ScrollSteps(const std::vector<int>& buttonTops, int direction) {
  if (buttonTops.empty()) return {};
  const bool up = direction == kScrollUp;
  if (up ? buttonTops.front() >= kBandTop : buttonTops.back() <= kBandBottom) return {};
  const int step = up ? kRowPitch : -kRowPitch;
  const int leaving = up ? kBandBottom : kBandTop;
  const int entering = up ? kBandTop : kBandBottom;
  std::vector<RowStep> steps;
  steps.reserve(buttonTops.size());
  for (int top : buttonTops) steps.push_back({top == leaving, top + step, top + step == entering});
  return steps;
}

}  // namespace vantrel
