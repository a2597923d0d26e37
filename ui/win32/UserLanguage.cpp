#include "UserLanguage.h"

#include <windows.h>

#include "Texts.h"

namespace korvath {

void UseUserInterfaceLanguage() { UseLanguage(LanguageOf(GetUserDefaultUILanguage())); }

}  // namespace korvath
