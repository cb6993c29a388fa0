#pragma once
// UTF-8, the program's text in memory, one code point at a time: what the conversions to and
// from the stored encodings (Windows-1252, UTF-16) share.

#include <optional>
#include <string>
#include <string_view>

namespace corvanta {

// Appends `cp` in UTF-8 (one to four bytes).
void AppendUtf8(std::string& out, char32_t cp);

// The code point at the front of `text`, removed from it. A byte that does not begin a whole
// sequence (a stray continuation byte, a sequence cut off or broken) gives nothing and only
// that byte is removed, so the bytes after it are read anew. Overlong forms and values past
// U+10FFFF are not refused here; a caller that cannot hold them replaces them.
std::optional<char32_t> TakeCodePoint(std::string_view& text);

} // namespace corvanta
