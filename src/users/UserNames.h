#pragma once

#include <QString>

namespace tesmara {

inline constexpr int kMaxUserNameLength = 20;

// Why a user name cannot be used. Names go into folder names, so the
// punctuation that could upset a path (and every quote) is refused.
enum class NameProblem { None, Empty, TooLong, RefusedCharacter };

// The name without blanks at either end.
QString trimUserName(const QString& name);

// Checks an already trimmed name.
NameProblem checkUserName(const QString& trimmed);

// The refused characters, as the error message lists them.
QString refusedCharactersText();

} // namespace tesmara
