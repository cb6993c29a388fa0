#pragma once
// Text in gbank.db is one byte a character in Windows-1252, so files made on a western
// Windows machine read the same here. In memory the program speaks UTF-8.

#include <string>
#include <string_view>

namespace corvanta {

// UTF-8 to Windows-1252; a character the code page cannot hold (or a broken UTF-8
// sequence) becomes '?'. One output byte per character.
std::string EncodeWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to the
// C1 control characters of the same number, so every byte round-trips.
std::string DecodeWindows1252(std::string_view bytes);

// Upper case in the code page, as a Windows ANSI comparison sees it: a-z, the Latin-1
// letters à..þ except ÷, and š œ ž ÿ, whose capitals lie in 0x80..0x9F. ß and µ have no
// capital in the code page and stay as they are.
std::string UpperWindows1252(std::string_view bytes);

} // namespace corvanta
