#include "lang/KeptTexts.h"

namespace vantrel {

KeptTexts& Kept() {
  static KeptTexts texts;
  return texts;
}

}  // namespace vantrel
