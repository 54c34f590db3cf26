#pragma once
// The windows are designed in pixels at 96 dpi; on a display of another dpi
// every length is scaled from the design, never from an earlier scaling.

namespace vantrel {

constexpr int kDesignDpi = 96;

// A control's place in its parent: left, top, width, height.
struct ControlRect {
  int left, top, width, height;
  bool operator==(const ControlRect&) const = default;
};

// A design length at `dpi`, to the nearest pixel (halves away from zero).
int Scaled(int design, int dpi);
// The design length of `length` at `dpi`: exact for a length Scaled gave
// at a dpi of 96 or more.
int Unscaled(int length, int dpi);

// A rectangle is scaled by its edges, so controls that touch at the design
// size still touch, and none overlaps its neighbour by a rounding pixel.
ControlRect Scaled(const ControlRect& design, int dpi);
ControlRect Unscaled(const ControlRect& r, int dpi);

}  // namespace vantrel
