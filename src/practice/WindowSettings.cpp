#include "practice/WindowSettings.h"

#include "app/Format.h"
#include "store/Database.h"
#include "store/Settings.h"

namespace tesmara {

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

WindowSettings WindowSettings::read(Database& user, Database& program)
{
    Settings us(user);
    Settings ps(program);
    WindowSettings s;
    // A new user's missing values are all written in one transaction: one
    // disk sync instead of one per value.
    user.transaction([&] {
        s.testTime = us.text(QStringLiteral("Last_Test_Time")).trimmed();
        // Flags count as set when not 0, as numbers.
        s.englishWidth = Val(us.text(QStringLiteral("English_Test_Width"))) != 0;
        s.wrongOffer = Val(us.text(QStringLiteral("Text_Wrong_Show"))) != 0;
        s.soundWrong = Val(us.text(QStringLiteral("Sound_Wrong"))) != 0;
        s.soundKey = Val(us.text(QStringLiteral("Sound_Key"))) != 0;
        s.wrongColour = Val(us.text(QStringLiteral("Wrong_Color"))) != 0;
        s.lastTips = int(Val(us.text(QStringLiteral("Last_Tips"))));
        // Last_Test is read raw: a missing row is told apart from a stored one.
        const auto last = us.raw(QStringLiteral("Last_Test"));
        if (last && *last) {
            s.lastTest = **last;
        } else {
            us.setValue(QStringLiteral("Last_Test"), QStringLiteral("000"));
        }
        return true;
    });
    // A null update flag reads as on.
    const auto update = ps.value(QStringLiteral("Auto_Update"));
    s.autoUpdate = !update || *update != QLatin1String("0");
    return s;
}

void WindowSettings::write(Database& user) const
{
    Settings us(user);
    user.transaction([&] {
        us.setValue(QStringLiteral("Last_Test_Time"), testTime);
        us.setValue(QStringLiteral("Last_Tips"), QString::number(lastTips));
        us.setValue(QStringLiteral("English_Test_Width"), flagText(englishWidth));
        us.setValue(QStringLiteral("Text_Wrong_Show"), flagText(wrongOffer));
        us.setValue(QStringLiteral("Sound_Wrong"), flagText(soundWrong));
        us.setValue(QStringLiteral("Sound_Key"), flagText(soundKey));
        us.setValue(QStringLiteral("Wrong_Color"), flagText(wrongColour));
        return true;
    });
}

void writeAutoUpdate(Database& program, bool on)
{
    if (program.isOpen()) {
        Settings(program).setValue(QStringLiteral("Auto_Update"), flagText(on));
    }
}

} // namespace tesmara
