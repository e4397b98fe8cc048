#include "practice/MouseSettings.h"

#include "app/Format.h"
#include "store/Database.h"
#include "store/Settings.h"

namespace tesmara {

namespace {

struct Key {
    const char* name;
    int last;        // valid 0..last
    int replacement; // written over a value out of range
};

constexpr Key kBackPic{"Mouse_Test_Lase_BackPic", 6, 1};
constexpr Key kSpeed{"Mouse_Test_Lase_Speed", 4, 2};
constexpr Key kTest{"Mouse_Test_Lase_Test", 5, 0};

int readKey(Settings& settings, const Key& key)
{
    const QString name = QLatin1String(key.name);
    // Compared as a number; a text that is not one counts as 0.
    const double value = Val(settings.text(name));
    if (value >= 0 && value <= key.last) {
        return int(value);
    }
    settings.setValue(name, QString::number(key.replacement));
    return key.replacement;
}

} // namespace

MouseSettings MouseSettings::read(Database& user)
{
    Settings settings(user);
    MouseSettings s;
    user.transaction([&] {
        s.backPic = readKey(settings, kBackPic);
        s.speed = readKey(settings, kSpeed);
        s.test = readKey(settings, kTest);
        return true;
    });
    return s;
}

bool MouseSettings::write(Database& user) const
{
    Settings settings(user);
    return user.transaction([&] {
        settings.setValue(QLatin1String(kBackPic.name), QString::number(backPic));
        settings.setValue(QLatin1String(kSpeed.name), QString::number(speed));
        settings.setValue(QLatin1String(kTest.name), QString::number(test));
        return true;
    });
}

int mouseTickInterval(int speed)
{
    return 350 - 60 * speed;
}

} // namespace tesmara
