#pragma once

namespace tesmara {

class Database;

// The three settings of the mouse practice, kept in the user's database.
// A missing row is added with "2"; a value out of range is rewritten with
// its own replacement (background 1, difficulty 2, action 0).
struct MouseSettings {
    int backPic = 2; // Mouse_Test_Lase_BackPic: background entry 0..6
    int speed = 2;   // Mouse_Test_Lase_Speed: difficulty 0..4
    int test = 2;    // Mouse_Test_Lase_Test: action 0..5

    static MouseSettings read(Database& user);
    // False when a write failed.
    bool write(Database& user) const;
};

// Milliseconds between two movement ticks at difficulty 0..4: 350 down to
// 110.
int mouseTickInterval(int speed);

} // namespace tesmara
