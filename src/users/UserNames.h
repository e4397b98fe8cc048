#pragma once

#include <QString>

namespace tesmara {

inline constexpr int kMaxUserNameLength = 20;

// Why a user name cannot be used. Names go into folder names, so the
// punctuation that could upset a path (and every quote) is refused; so are
// characters that show nothing or change how the rest shows, since a name
// must look like what it is.
enum class NameProblem { None, Empty, TooLong, RefusedCharacter, Invisible };

// The name without white space (of any script) at either end.
QString trimUserName(const QString& name);

// Checks an already trimmed name. For an invisible character, `fault`
// receives it.
NameProblem checkUserName(const QString& trimmed, char32_t* fault = nullptr);

// Whether a name, as stored, may become a folder name: it passes the rules
// and needs no trimming.
bool isUsableUserName(const QString& name);

// The refused characters, as the error message lists them.
QString refusedCharactersText();

// The message that names an invisible character ("U+200B").
QString invisibleCharacterText(char32_t c);

} // namespace tesmara
