#pragma once

#include <QtGlobal>

namespace tesmara {

// The kind of practice the main window is running. The values are stored
// (the first character of Last_Test) and compared as numbers, so they stay
// fixed.
enum class PracticeKind : qint16 {
    Chinese = 0,  // built-in Chinese essays
    English = 1,  // built-in English texts and random letters
    Numbers = 2,  // digits, with or without operators
    Wubi = 3,     // Wubi code, phrase and split drills
    KeyMouse = 4, // keyboard fingering and mouse practice
    Article = 5,  // the user's saved articles and the review article
};

} // namespace tesmara
