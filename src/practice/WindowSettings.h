#pragma once

#include <QString>

namespace tesmara {

class Database;

// The main window's own settings: read (and repaired) when it opens, written
// back when it closes. The user's database holds all but the update flag,
// which is program-wide.
struct WindowSettings {
    QString testTime = QStringLiteral("10"); // Last_Test_Time, run minutes
    bool englishWidth = true;                // English_Test_Width
    bool wrongOffer = true;                  // Text_Wrong_Show
    bool autoUpdate = true;                  // Auto_Update (program)
    bool soundWrong = true;                  // Sound_Wrong
    bool soundKey = false;                   // Sound_Key
    bool wrongColour = true;                 // Wrong_Color
    int lastTips = 0;                        // Last_Tips, entry of the tips list
    QString lastTest;                        // Last_Test; empty when the row was missing

    // Reads every key; a missing row gets its default, a value out of range
    // is rewritten with it.
    static WindowSettings read(Database& user, Database& program);
    // Writes the keys the window stores at close (not Last_Test, which
    // depends on the ticked practice, nor Auto_Update, which its menu item
    // writes at once).
    void write(Database& user) const;
};

// Writes the automatic-update flag; a failed write is ignored.
void writeAutoUpdate(Database& program, bool on);

} // namespace tesmara
