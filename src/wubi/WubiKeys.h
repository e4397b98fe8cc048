#pragma once

// The Wubi 86 key table: for each key a to y the character the key types
// alone, its key-name root and the further roots on it. One copy serves the
// drills, the drill-list generator and the chart pictures, so it carries no
// Qt types.
namespace tesmara::wubi {

struct KeyRoots {
    char key;
    char16_t oneLevel; // the character typed by the key alone
    char16_t keyName;  // the root the key is named by; 0 on x
    const char16_t* further;
};

// x names no character; 纟 is its key-name root where one is needed.
inline constexpr char16_t kRootOfX = u'纟';

// Keys a to y, in letter order.
inline constexpr KeyRoots kKeyTable[25] = {
    {'a', u'工', u'工', u"七弋戈廿匚廾艹"},
    {'b', u'了', u'子', u"孑也了耳卩阝凵"},
    {'c', u'以', u'又', u"巴马厶"},
    {'d', u'在', u'大', u"三犬古石厂"},
    {'e', u'有', u'月', u"豕用乃彡"},
    {'f', u'地', u'土', u"士二十干雨寸"},
    {'g', u'一', u'王', u"一五戋龶"},
    {'h', u'上', u'目', u"止上丨"},
    {'i', u'不', u'水', u"小氵"},
    {'j', u'是', u'日', u"曰早虫刂"},
    {'k', u'中', u'口', u"川"},
    {'l', u'国', u'田', u"甲四皿车力囗"},
    {'m', u'同', u'山', u"由贝几冂"},
    {'n', u'民', u'已', u"己巳羽心乙尸忄"},
    {'o', u'为', u'火', u"米灬"},
    {'p', u'这', u'之', u"冖宀礻廴辶"},
    {'q', u'我', u'金', u"儿夕勹钅"},
    {'r', u'的', u'白', u"手斤扌"},
    {'s', u'要', u'木', u"丁西"},
    {'t', u'和', u'禾', u"竹丿夂彳"},
    {'u', u'产', u'立', u"六辛门丬疒冫"},
    {'v', u'发', u'女', u"九刀臼巛彐"},
    {'w', u'人', u'人', u"八亻"},
    {'x', u'经', 0, u"弓匕幺"},
    {'y', u'主', u'言', u"广方文丶亠讠"},
};

// The row of a lower-case letter a..y, or nullptr.
constexpr const KeyRoots* keyRoots(char key)
{
    return key >= 'a' && key <= 'y' ? &kKeyTable[key - 'a'] : nullptr;
}

// The key-name root of a row, 纟 on x.
constexpr char16_t namedRoot(const KeyRoots& row)
{
    return row.keyName ? row.keyName : kRootOfX;
}

} // namespace tesmara::wubi
