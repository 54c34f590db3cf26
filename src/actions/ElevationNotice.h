#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {

// A program in front runs as administrator while this one does not: the
// system then drops every key and mouse event injected into it, without a
// word. The user hears of it once per program and run.
class ElevationNotice {
 public:
  // Whether to tell now of the program in front, process `processId` of the
  // program `name`. The answers are asked only as far as needed, and kept:
  // this program's own elevation once, a process's once per process id and
  // name (an id the system has given to a new process names another
  // program). Once told of a name, never again.
  bool ShouldTell(std::uint32_t processId, const std::string& name,
                  const std::function<bool()>& selfElevated,
                  const std::function<bool()>& programElevated);
  // The programs told of, in order.
  const std::vector<std::string>& Told() const { return told_; }

 private:
  std::optional<bool> selfElevated_;
  std::map<std::pair<std::uint32_t, std::string>, bool> elevated_;
  std::vector<std::string> told_;
};

// The pack's text with the program's name for its first "%s"; a text
// without one is shown as it stands.
std::string ElevationNoticeText(const std::string& text, const std::string& program);

}  // namespace vantrel
