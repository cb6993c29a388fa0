#pragma once
// The debug console's lock: the invisible spot on the table asks for a code, and only the
// right one opens the console.

#include <string_view>

namespace corvanta {

inline constexpr std::string_view DebugCodeTitle = "Corvanta - Debug Console";
inline constexpr std::string_view DebugCodePrompt = "Please enter the debug code below:";
inline constexpr std::string_view DebugCodeDefault = "unknown"; // the prompt's pre-filled answer
inline constexpr std::string_view DebugAccessCode = "larkspurs";

// True for the access code exactly as typed: letter case and spaces count. A wrong or
// cancelled (empty) answer opens nothing and does nothing else.
bool OpensDebugConsole(std::string_view typedCode);

} // namespace corvanta
