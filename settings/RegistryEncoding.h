#pragma once
// The character encodings a registry export comes in, and its lines as they stand in the file.
// regedit and reg.exe write "Windows Registry Editor Version 5.00" files in UTF-16LE with a
// byte-order mark and CR LF line ends; older tools write "REGEDIT4" in the ANSI code page
// (Windows-1252 here); this program writes UTF-8 with LF. A line keeps its bytes as they were,
// so a save that leaves it alone writes it back unchanged, and carries its text in UTF-8 for
// reading.

#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

inline constexpr std::string_view RegistryHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view Regedit4Header = "REGEDIT4";

enum class TextEncoding { Utf8, Utf8WithBom, Utf16Le, Windows1252 };

// How a line ends. CrLf is CR LF, or more carriage returns before the line feed (CR LF
// converted once more, "\r\r\n"): every carriage return before the end belongs to it.
enum class LineEnd { None, Lf, CrLf };

// One line of the file.
struct FileLine {
    std::string bytes;           // as in the file, its line end included
    std::string text;            // in UTF-8, without the line end
    LineEnd end = LineEnd::None; // None only for a last line without one
};

struct FileLines {
    TextEncoding encoding = TextEncoding::Utf8;
    std::vector<FileLine> lines;
};

// The file's encoding and its lines. The byte-order mark decides (FF FE: UTF-16LE, EF BB BF:
// UTF-8); without one, a file beginning with "REGEDIT4" is Windows-1252 and any other UTF-8.
// A lone byte at the end of a UTF-16 file is half a character and is left out: it could not
// be written back in its place once a line follows it.
FileLines SplitLines(std::string_view bytes);

// Text in UTF-8 to the encoding and back. A character the encoding cannot hold, or broken
// UTF-8, becomes '?' in Windows-1252 and U+FFFD in UTF-16; in UTF-8 the bytes stay as they
// are. Also the form of hex(1) text data (see basRegistry.h).
std::string EncodeText(TextEncoding encoding, std::string_view utf8);
std::string DecodeText(TextEncoding encoding, std::string_view bytes);

// The byte-order mark that begins a file in the encoding (empty when it has none).
std::string_view ByteOrderMark(TextEncoding encoding);

} // namespace corvanta
