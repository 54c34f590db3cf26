#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

// What the binding logic changes on an entry's row of the main window. The
// main window implements it; tests record the calls.
class RowView {
 public:
  virtual ~RowView() = default;
  virtual void SetRowText(std::uint8_t entry, const std::string& text) = 0;
  virtual void SetTurboEnabled(std::uint8_t entry, bool enabled) = 0;
  virtual void SetTurboChecked(std::uint8_t entry, bool checked) = 0;
};

}  // namespace vantrel
