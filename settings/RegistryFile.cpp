#include "settings/RegistryFile.h"

#include <algorithm>

namespace corvanta {
namespace {

// The lines of the value in the key, in the file's order, wherever the key is opened.
std::vector<std::size_t> ValueLines(const RegistryFile& file, std::string_view fullPath,
                                    std::string_view name) {
    std::vector<std::size_t> found;
    bool inKey = false;
    for (std::size_t i = 1; i < file.lines.size(); ++i) {
        const std::string& text = file.lines[i].text;
        if (const auto path = KeyPathOf(text)) {
            inKey = SameName(*path, fullPath);
        } else if (inKey) {
            const auto parsed = ParseValueLine(text, file.hexText);
            if (parsed && SameName(parsed->name, name)) {
                found.push_back(i);
            }
        }
    }
    return found;
}

std::string EndText(const RegistryFile& file) {
    return file.end == LineEnd::CrLf ? "\r\n" : "\n";
}

FileLine NewLine(const RegistryFile& file, const std::string& text) {
    return {EncodeText(file.encoding, text + EndText(file)), text, file.end};
}

void InsertLine(RegistryFile& file, std::size_t at, const std::string& text) {
    if (at == file.lines.size()) {
        FileLine& last = file.lines.back();
        if (last.end == LineEnd::None) {
            // A last line cut after a lone CR loses that CR: the end written is the file's own,
            // so the next save reads the same line ends and changes nothing.
            const std::string cr = EncodeText(file.encoding, "\r");
            while (last.bytes.ends_with(cr)) {
                last.bytes.resize(last.bytes.size() - cr.size());
            }
            last.bytes += EncodeText(file.encoding, EndText(file));
            last.end = file.end;
        }
        if (file.endsOpen) { // an empty line ends the wrapped data
            last.bytes += EncodeText(file.encoding, EndText(file));
            file.endsOpen = false;
        }
    }
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(at), NewLine(file, text));
}

// Removes the lines marked, in one pass: a file holding thousands of repeated values or
// openings of the key is rewritten as quickly as any other.
void RemoveLines(RegistryFile& file, const std::vector<bool>& gone) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        if (!gone[i]) {
            if (kept != i) {
                file.lines[kept] = std::move(file.lines[i]);
            }
            ++kept;
        }
    }
    file.lines.resize(kept);
}

// Where a value new to the key goes: after the last line that is not blank where the key is
// last opened; the key is opened at the end of the file when it is missing.
std::size_t PlaceForNewValue(RegistryFile& file, std::string_view fullPath) {
    std::optional<std::size_t> place;
    bool inKey = false;
    for (std::size_t i = 1; i < file.lines.size(); ++i) {
        const std::string& text = file.lines[i].text;
        if (const auto path = KeyPathOf(text)) {
            inKey = SameName(*path, fullPath);
            place = inKey ? i + 1 : place;
        } else if (inKey && !text.empty()) {
            place = i + 1;
        }
    }
    if (place) {
        return *place;
    }
    if (!file.lines.back().text.empty()) {
        InsertLine(file, file.lines.size(), "");
    }
    InsertLine(file, file.lines.size(), "[" + std::string(fullPath) + "]");
    InsertLine(file, file.lines.size(), "");
    return file.lines.size() - 1;
}

} // namespace

std::optional<RegistryFile> ParseFile(std::string_view bytes) {
    FileLines split = SplitLines(bytes);
    RegistryFile file;
    file.encoding = split.encoding;
    file.lines = std::move(split.lines);
    file.endsOpen = JoinWrappedLines(file.lines);
    if (file.lines.empty()) {
        return std::nullopt;
    }
    const FileLine& header = file.lines.front();
    const bool regedit4 = header.text == Regedit4Header;
    if (!regedit4 && header.text != RegistryHeader) {
        return std::nullopt;
    }
    // REGEDIT4 holds hex(1) text in the ANSI code page and Windows' version 5.00 in UTF-16LE,
    // whatever the file's own encoding became later. A version 5.00 file in UTF-8 is taken
    // for this program's own, whose hex(1) text is its bytes as given.
    file.hexText = regedit4                                 ? TextEncoding::Windows1252
                   : file.encoding == TextEncoding::Utf16Le ? TextEncoding::Utf16Le
                                                            : TextEncoding::Utf8;
    file.end = header.end == LineEnd::CrLf ? LineEnd::CrLf : LineEnd::Lf;
    return file;
}

RegistryFile NewFile() {
    RegistryFile file;
    const std::string header(RegistryHeader);
    file.lines.push_back({header + "\n", header, LineEnd::Lf});
    return file;
}

std::optional<ValueLine> LastValueLine(const RegistryFile& file, std::string_view fullPath,
                                       std::string_view name) {
    const std::vector<std::size_t> found = ValueLines(file, fullPath, name);
    if (found.empty()) {
        return std::nullopt;
    }
    return ParseValueLine(file.lines[found.back()].text, file.hexText);
}

// A value found more than once keeps one line: the new line takes the place of the last one
// (the one reg import would have left), and the lines before it go.
void PutValue(RegistryFile& file, std::string_view fullPath, std::string_view name,
              const std::string& text) {
    const std::vector<std::size_t> found = ValueLines(file, fullPath, name);
    if (found.empty()) {
        InsertLine(file, PlaceForNewValue(file, fullPath), text);
        return;
    }
    if (found.back() + 1 == file.lines.size()) {
        file.endsOpen = false; // the wrapped data were this value's
    }
    file.lines[found.back()] = NewLine(file, text);
    std::vector<bool> gone(file.lines.size());
    for (std::size_t k = 0; k + 1 < found.size(); ++k) {
        gone[found[k]] = true;
    }
    RemoveLines(file, gone);
}

void RemoveEmptyEarlierOpenings(RegistryFile& file, std::string_view fullPath) {
    const auto opensKey = [&](std::size_t i) {
        const auto path = KeyPathOf(file.lines[i].text);
        return path && SameName(*path, fullPath);
    };
    std::size_t last = 0;
    for (std::size_t i = 1; i < file.lines.size(); ++i) {
        last = opensKey(i) ? i : last;
    }
    std::vector<bool> gone(file.lines.size());
    std::optional<std::size_t> opening; // an earlier one, with nothing but blank lines so far
    const auto dropOpeningUpTo = [&](std::size_t end) {
        for (std::size_t k = opening.value_or(end); k < end; ++k) {
            gone[k] = true;
        }
    };
    for (std::size_t i = 1; i < last; ++i) {
        if (KeyPathOf(file.lines[i].text)) {
            dropOpeningUpTo(i); // it ends here
            opening = opensKey(i) ? std::optional(i) : std::nullopt;
        } else if (!file.lines[i].text.empty()) {
            opening.reset();
        }
    }
    dropOpeningUpTo(last);
    RemoveLines(file, gone);
}

std::string FileBytes(const RegistryFile& file) {
    std::string bytes(ByteOrderMark(file.encoding));
    for (const FileLine& line : file.lines) {
        bytes += line.bytes;
    }
    return bytes;
}

} // namespace corvanta
