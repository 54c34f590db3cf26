#pragma once
// The main window's menu bar: built in English, translated by the language
// pack; its commands are the main window's.
#include <windows.h>

#include "lang/LanguageTexts.h"

namespace vantrel {

// A new menu bar, which the window it is given to owns.
HMENU BuildMainMenu();
// The bar's and its items' texts in the language of `texts`.
void TranslateMainMenu(HMENU bar, const LanguageTexts& texts);

}  // namespace vantrel
