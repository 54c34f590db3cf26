#include "input/ControllerChoice.h"

#include <string>

namespace vantrel {

namespace {

int Find(const std::vector<AttachedController>& attached, const ControllerWish& wish) {
  if (wish.FirstAttached()) return -1;
  for (std::size_t i = 0; i < attached.size(); ++i)
    if (!wish.id.empty() && attached[i].id == wish.id) return static_cast<int>(i);
  // Plugged into another port, the same pad has another identifier.
  for (std::size_t i = 0; i < attached.size(); ++i)
    if (!wish.name.empty() && attached[i].name == wish.name) return static_cast<int>(i);
  return -1;
}

}  // namespace

int ChooseController(const std::vector<AttachedController>& attached, const ControllerWish& wish,
                     const std::string& readingId) {
  const int wished = Find(attached, wish);
  if (wished >= 0) return wished;
  for (std::size_t i = 0; i < attached.size() && !readingId.empty(); ++i)
    if (attached[i].id == readingId) return static_cast<int>(i);
  return attached.empty() ? -1 : 0;
}

bool IsWished(const std::vector<AttachedController>& attached, int index,
              const ControllerWish& wish) {
  return wish.FirstAttached() ? index == 0 : index >= 0 && index == Find(attached, wish);
}

ControllerList ListControllers(const std::vector<AttachedController>& attached,
                               const ControllerWish& wish, const std::string& firstAttached) {
  ControllerList list;
  list.items.push_back(firstAttached);
  list.wishes.push_back({});
  const int wished = Find(attached, wish);
  for (std::size_t i = 0; i < attached.size(); ++i) {
    int same = 0, before = 0;
    for (std::size_t j = 0; j < attached.size(); ++j) {
      if (attached[j].name != attached[i].name) continue;
      ++same;
      if (j < i) ++before;
    }
    list.items.push_back(same > 1 ? attached[i].name + " (" + std::to_string(before + 1) + ")"
                                  : attached[i].name);
    list.wishes.push_back({attached[i].name, attached[i].id});
    if (static_cast<int>(i) == wished) list.selected = static_cast<int>(list.items.size()) - 1;
  }
  if (!wish.FirstAttached() && wished < 0) {
    list.items.push_back(wish.name);
    list.wishes.push_back(wish);
    list.selected = static_cast<int>(list.items.size()) - 1;
  }
  return list;
}

}  // namespace vantrel
