#include "ui/DesignScale.h"

namespace vantrel {

namespace {

int Rounded(long long numerator, long long denominator) {
  const long long half = denominator / 2;
  return static_cast<int>((numerator >= 0 ? numerator + half : numerator - half) / denominator);
}

// A dpi of 0 or less (a failed query) counts as the design's.
long long Dpi(int dpi) { return dpi > 0 ? dpi : kDesignDpi; }

}  // namespace

int Scaled(int design, int dpi) {
  return Rounded(static_cast<long long>(design) * Dpi(dpi), kDesignDpi);
}

int Unscaled(int length, int dpi) {
  return Rounded(static_cast<long long>(length) * kDesignDpi, Dpi(dpi));
}

ControlRect Scaled(const ControlRect& design, int dpi) {
  const int left = Scaled(design.left, dpi);
  const int top = Scaled(design.top, dpi);
  return {left, top, Scaled(design.left + design.width, dpi) - left,
          Scaled(design.top + design.height, dpi) - top};
}

ControlRect Unscaled(const ControlRect& r, int dpi) {
  const int left = Unscaled(r.left, dpi);
  const int top = Unscaled(r.top, dpi);
  return {left, top, Unscaled(r.left + r.width, dpi) - left, Unscaled(r.top + r.height, dpi) - top};
}

}  // namespace vantrel
