#pragma once
// The language of the program's texts, chosen from the user's display
// language at start-up.

namespace korvath {

// Japanese texts for a Japanese display language, English for any other.
void UseUserInterfaceLanguage();

}  // namespace korvath
