#include "game/ui/GameMenus.h"

#include "app/AppState.h"
#include "practice/ui/MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tesmara::game {

using namespace menus;

QList<std::pair<QAction*, GameMode>> GameMenus::modeItems() const
{
    QList<std::pair<QAction*, GameMode>> all;
    all.append({chinese, {ModeGroup::Chinese, 0}});
    for (int i = 0; i < englishText.size(); ++i) {
        all.append({englishText[i], {ModeGroup::English, i}});
    }
    for (int i = 0; i < numberText.size(); ++i) {
        all.append({numberText[i], {ModeGroup::Number, i}});
    }
    for (int i = 0; i < wbText.size(); ++i) {
        all.append({wbText[i], {ModeGroup::WbText, i}});
    }
    for (int i = 0; i < wbPhrase.size(); ++i) {
        all.append({wbPhrase[i], {ModeGroup::WbPhrase, i}});
    }
    return all;
}

QAction* GameMenus::modeItem(GameMode mode) const
{
    for (const auto& [item, itemMode] : modeItems()) {
        if (itemMode == mode) {
            return item;
        }
    }
    return nullptr;
}

std::optional<GameMode> GameMenus::checkedMode() const
{
    for (const auto& [item, mode] : modeItems()) {
        if (item->isChecked()) {
            return mode;
        }
    }
    return std::nullopt;
}

std::optional<int> GameMenus::checkedSpeed() const
{
    for (int k = 0; k < speeds.size(); ++k) {
        if (speeds[k]->isChecked()) {
            return k;
        }
    }
    return std::nullopt;
}

GameMenus buildGameMenus(QMenuBar* bar)
{
    GameMenus m;
    QMenu* test = subMenu(bar, "Menu_Test", QStringLiteral("练习项目(&T)"));
    m.chinese = item(test, "Menu_Test_Chinese", QStringLiteral("中文练习"), true);
    m.english = item(test, "Menu_Test_English", QStringLiteral("英文练习"));
    m.english->setEnabled(false);
    m.englishText = itemArray(test, "Menu_Test_English_Text", {QStringLiteral("英文练习"), QStringLiteral("单词")});
    m.englishText[1]->setEnabled(false);
    QMenu* numbers = subMenu(test, "Menu_Test_Number", QStringLiteral("数字练习"));
    m.numberText =
        itemArray(numbers, "Menu_Test_Number_Text", {QStringLiteral("纯数字"), QStringLiteral("带四则运算符和小数点")});
    separator(test, "Menu_Test_4");
    QMenu* wubi = subMenu(test, "Menu_Test_Wb", QStringLiteral("五笔练习专区"));
    QStringList lists;
    for (int n = 0; n < 8; ++n) {
        lists << wubiListCaption(n);
    }
    m.wbText = itemArray(wubi, "Menu_Test_WB_Text", lists);
    separator(wubi, "Menu_Test_5");
    QMenu* phrases = subMenu(wubi, "Menu_Test_WBPhrase", QStringLiteral("词组练习"));
    m.wbPhrase =
        itemArray(phrases, "Menu_Test_WBPhrase_", {phraseListCaption(0), phraseListCaption(1), phraseListCaption(2)});

    QMenu* mode = subMenu(bar, "Menu_Test_Mode", QStringLiteral("练习模式"));
    m.normalMode = itemArray(mode, "Menu_Test_Mode_", {QStringLiteral("普通模式")}, false).front();

    QMenu* sound = subMenu(bar, "Menu_Sound", QStringLiteral("声音(&S)"));
    m.mute = item(sound, "Menu_Sound_Sound", QStringLiteral("静音"), true);

    QStringList speeds;
    for (int k = 0; k < kSpeeds; ++k) {
        speeds << speedCaption(k);
    }
    m.speed = subMenu(bar, "Menu_Speed", QStringLiteral("游戏速度：慢"));
    m.speeds = itemArray(m.speed, "Menu_Speed_", speeds);

    QAction* space = bar->addAction(QString(20, QLatin1Char(' ')));
    space->setObjectName(QStringLiteral("Menu_Space"));
    space->setEnabled(false);
    m.ver = bar->addAction(QStringLiteral("当前软件版本：") + QString::fromLatin1(kVersion));
    m.ver->setObjectName(QStringLiteral("Menu_Ver"));
    return m;
}

} // namespace tesmara::game
