#pragma once

#include <QString>

namespace tesmara {

class Database;

// The practice a Last_Test value names, as the main window reopens it.
struct LastPractice {
    enum class Item {
        Chinese,     // index 0..11
        English,     // index 0..9
        Numbers,     // index 0..1
        CodeDrill,   // index 0..7
        PhraseDrill, // index 0..2
        SplitDrill,
        Keyboard, // index 0 plain, 2 with the number pad
        Mouse,
        UserArticle,   // article: the name without suffix (menu caption)
        ReviewArticle, // likewise
    };
    Item item = Item::Chinese;
    int index = 0;
    QString article;
    // Non-empty when the stored value was out of range and must be replaced
    // by this one.
    QString repaired;
};

// Reads a stored Last_Test value: an index out of range falls back to the
// first item of its group (and asks for the repair); a saved article that no
// longer exists, or an unknown first character, opens Chinese essay 0.
LastPractice Last_Test_Restore(Database& db, const QString& value);

// The value stored for a practice ("0" + two digits, ..., "5" + name +
// suffix).
QString Last_Test_Value(const LastPractice& practice);

} // namespace tesmara
