#pragma once
// A registry export as the store reads and rewrites it: its lines as they stand in the file,
// the keys they open and the values in them. A rewrite changes the lines of the values it
// writes and nothing else.

#include "settings/RegistryEncoding.h"
#include "settings/RegistryLines.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

// The file as the store reads and rewrites it.
struct RegistryFile {
    TextEncoding encoding = TextEncoding::Utf8;
    TextEncoding hexText = TextEncoding::Utf8; // of hex(1) text data
    // The line end of the lines the store adds: the first line's.
    LineEnd end = LineEnd::Lf;
    // The lines, wrapped data joined; the first line at [0].
    std::vector<FileLine> lines;
    // The file ends in wrapped data that a next line would continue.
    bool endsOpen = false;
};

// Nothing when the file does not begin with a registry export's first line.
std::optional<RegistryFile> ParseFile(std::string_view bytes);

// An empty file of the program's own form: UTF-8 without a byte-order mark, LF line ends.
RegistryFile NewFile();

// The value's last line in the key (given with its hive, "HKEY_CURRENT_USER\\..."), wherever
// the key is opened: the line reg import leaves in the registry. Nothing when none names it.
std::optional<ValueLine> LastValueLine(const RegistryFile& file, std::string_view fullPath,
                                       std::string_view name);

// Gives the value `text` (its whole value line, in UTF-8) in the key, opening the key at the
// end of the file when it is missing. A value found more than once is left with one line.
void PutValue(RegistryFile& file, std::string_view fullPath, std::string_view name,
              const std::string& text);

// Once the values are put: an earlier opening of the key left with nothing but blank lines
// goes, so a key whose earlier openings held only those values is opened once. Openings that
// hold anything else stay, with what they hold.
void RemoveEmptyEarlierOpenings(RegistryFile& file, std::string_view fullPath);

// The file's bytes: its byte-order mark and every line.
std::string FileBytes(const RegistryFile& file);

} // namespace corvanta
