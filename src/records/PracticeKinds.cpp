#include "records/PracticeKinds.h"

#include <array>

namespace tesmara {

int Kind_Type(int tab)
{
    return tab < 3 ? tab : tab + 27;
}

QString Kind_Caption(int tab)
{
    static const std::array<const char*, kKindCount> captions = {
        "中文练习", "英文练习", "数字练习", "一级简码", "二级简码", "三级简码", "  字根",
        "成字字根", "键名字",   "识别码",   "全码字",   "二字词组", "三字词组", "四字词组"};
    if (tab < 0 || tab >= kKindCount) {
        return {};
    }
    return QString::fromUtf8(captions[static_cast<size_t>(tab)]);
}

} // namespace tesmara
