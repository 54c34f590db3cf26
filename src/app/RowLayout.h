#pragma once
#include <bitset>
#include <string>
#include <vector>

#include "base/Entries.h"
#include "lang/KeptTexts.h"
#include "ui/DesignScale.h"

namespace vantrel {

// Where the rows of the main window stand. Every position is relative to the
// group box that holds the row. Entries 1..N are the rows of the button group,
// N+1..N+4 (Up, Down, Left, Right) the first rows of the axis group, followed
// there by the rows of the hat and the other axes the controller has, in the
// order of the entries. Each group shows six rows at a time and scrolls; a
// window made taller shows more (Bands). Above both groups stands the layer
// row: the list that chooses the layer the rows show.

enum class RowGroup { Buttons = 0, Axis = 1 };  // the numbers GBoxScrool takes

struct RowPlace {
  RowGroup group;
  int row;  // from 1, top to bottom
};

// At the design's 96 dpi, as every length here.
using RowRect = ControlRect;

// The three controls of a row: its button, its action display, its turbo box.
enum class RowPart { Button, Display, Turbo };

// A group of the window's default height shows six rows at a time: those
// whose button top lies in kBandTop..BandBottom(kVisibleRows).
constexpr int kVisibleRows = 6;
constexpr int kRowPitch = 22;
constexpr int kBandTop = 16;
// The layer row above the groups: its label and list, and the pixels it
// adds to the window.
constexpr int kLayerRowHeight = 24;

// How many rows each group shows at once.
struct Bands {
  int axis = kVisibleRows;
  int buttons = kVisibleRows;
  bool operator==(const Bands&) const = default;
};
// The bands of a window `extraRows` rows taller than its default: each
// extra row goes to the group with more rows still hidden; to the button
// group on a tie, and once every row shows.
Bands BandsFor(int extraRows, int axisRows, int buttonRows);
// The top of the last row a band of `bandRows` rows shows.
constexpr int BandBottom(int bandRows) { return kBandTop + (bandRows - 1) * kRowPitch; }
// The first row (from 0) a group of `rows` rows shows once its band holds
// `bandRows`, having shown `first` before: the same, unless the band would
// then end below the last row while rows above it hide.
int FirstShown(int first, int rows, int bandRows);

// Which of the entries after the stick's have a row: the controls the
// controller has.
using ShownExtras = std::bitset<kExtraEntries>;

// Row 0 for an entry that has no row.
RowPlace PlaceOfEntry(int entry, int numOfButtons, const ShownExtras& shown = {});
// The rows of the axis group, and how much taller than its four stick rows
// it stands (it shows at most the rows of its band).
int AxisRows(const ShownExtras& shown);
int AxisGroupGrowth(const ShownExtras& shown, int bandRows = kVisibleRows);
// The top of row `row`'s button before any scrolling.
int RowTop(int row);
// The part's rectangle in a row whose button's top is `buttonTop`.
RowRect PartRect(RowPart part, int buttonTop);
bool InBand(int buttonTop, int bandRows = kVisibleRows);
// Rows below the band start hidden; every other row starts shown.
bool ShownAtStart(int entry, int numOfButtons, const ShownExtras& shown = {});
// The caption of an entry's row button: the Button text, a blank and the
// number for a button; the direction's own text for the four stick rows, and
// the hat's and the other axes' own for theirs.
std::string RowCaption(int entry, int numOfButtons, const KeptTexts& texts);
// A group's arrows are enabled once its rows outnumber the band.
bool RowsScroll(int rows, int bandRows = kVisibleRows);

// One button row's part in a scroll: hidden before moving, moved to its new
// top, shown after moving.
struct RowStep {
  bool hideFirst;
  int newTop;
  bool showAfter;
};
enum ScrollDirection { kScrollDown = 0, kScrollUp = 1 };  // the down and up arrows

// The scroll of a group by one row, given the current button tops of rows
// 1..N: one step per row, or nothing when the rows cannot move that way (the
// up arrow needs row 1 above the band, the down arrow row N below it).
std::vector<RowStep> ScrollSteps(const std::vector<int>& buttonTops, int direction,
                                 int bandRows = kVisibleRows);

// The main window's height: `wanted` (0: none) held between the default
// height and the work area's; the default wins where the work area is smaller.
int MainWindowHeight(int wanted, int defaultHeight, int workAreaHeight);

}  // namespace vantrel
