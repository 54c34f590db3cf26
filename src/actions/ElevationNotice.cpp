#include "actions/ElevationNotice.h"

#include <algorithm>

namespace vantrel {

bool ElevationNotice::ShouldTell(std::uint32_t processId, const std::string& name,
                                 const std::function<bool()>& selfElevated,
                                 const std::function<bool()>& programElevated) {
  if (std::find(told_.begin(), told_.end(), name) != told_.end()) return false;
  // Running as administrator itself, the program reaches every window.
  if (!selfElevated_) selfElevated_ = selfElevated();
  if (*selfElevated_) return false;
  const auto key = std::pair{processId, name};
  auto known = elevated_.find(key);
  if (known == elevated_.end()) known = elevated_.emplace(key, programElevated()).first;
  if (!known->second) return false;
  told_.push_back(name);
  return true;
}

std::string ElevationNoticeText(const std::string& text, const std::string& program) {
  std::string out = text;
  if (const std::size_t at = out.find("%s"); at != std::string::npos) out.replace(at, 2, program);
  return out;
}

}  // namespace vantrel
