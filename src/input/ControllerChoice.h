#pragma once
// Which of the attached controllers is read: the one the user chose, by its
// instance identifier or, where that changed (another port), by its product
// name; the first attached while the chosen one is away.
#include <string>
#include <vector>

namespace vantrel {

struct AttachedController {
  std::string name;  // its product name
  std::string id;    // its instance identifier
};

// The user's choice as the settings keep it; both empty: the first attached.
struct ControllerWish {
  std::string name;
  std::string id;
  bool FirstAttached() const { return name.empty() && id.empty(); }
  bool operator==(const ControllerWish&) const = default;
};

// The index of the controller to read in `attached` (in the order the system
// lists them), or -1 when none is attached. While the one wished for is
// away, the one read now (`readingId`) stays as long as it is attached: a
// controller plugged in later never takes over from it.
int ChooseController(const std::vector<AttachedController>& attached, const ControllerWish& wish,
                     const std::string& readingId = {});

// Whether `attached[index]` is the one wished for (and not a stand-in).
bool IsWished(const std::vector<AttachedController>& attached, int index,
              const ControllerWish& wish);

// The options' list of controllers: "First attached" (`firstAttached`), then
// every attached one by its name (a name that two share gets its number),
// and the one wished for, named, while it is away; with the item that
// stands for `wish` and the wish of each item.
struct ControllerList {
  std::vector<std::string> items;
  std::vector<ControllerWish> wishes;
  int selected = 0;
};
ControllerList ListControllers(const std::vector<AttachedController>& attached,
                               const ControllerWish& wish, const std::string& firstAttached);

}  // namespace vantrel
