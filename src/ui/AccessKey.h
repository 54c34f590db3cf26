#pragma once
#include <string>

namespace vantrel {

// A menu caption with an access key: its first letter or digit is marked
// ("Open" becomes "&Open"), so Alt and that key choose it in any language.
// A caption that marks its own access key already is left as it is.
std::string WithAccessKey(std::string caption);

}  // namespace vantrel
