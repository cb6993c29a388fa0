#include "settings/RegistryFile.h"

#include <algorithm>

namespace corvanta {
namespace {

// The lines of the value in the key, in the file's order, wherever the key is opened.
std::vector<std::size_t> ValueLines(const RegistryFile& file, std::string_view fullPath,
                                    std::string_view name) {
    std::vector<std::size_t> found;
    bool inKey = false;
    for (std::size_t i = 1; i < file.Lines.size(); ++i) {
        const std::string& text = file.Lines[i].Text;
        if (const auto path = KeyPathOf(text)) {
            inKey = SameName(*path, fullPath);
        } else if (inKey) {
            const auto parsed = ParseValueLine(text, file.HexText);
            if (parsed && SameName(parsed->Name, name)) {
                found.push_back(i);
            }
        }
    }
    return found;
}

std::string EndText(const RegistryFile& file) {
    return file.End == LineEnd::CrLf ? "\r\n" : "\n";
}

FileLine NewLine(const RegistryFile& file, const std::string& text) {
    return {EncodeText(file.Encoding, text + EndText(file)), text, file.End};
}

void InsertLine(RegistryFile& file, std::size_t at, const std::string& text) {
    if (at == file.Lines.size()) {
        FileLine& last = file.Lines.back();
        if (last.End == LineEnd::None) {
            last.Bytes += EncodeText(file.Encoding, EndText(file));
            last.End = file.End;
        }
        if (file.EndsOpen) { // an empty line ends the wrapped data
            last.Bytes += EncodeText(file.Encoding, EndText(file));
            file.EndsOpen = false;
        }
    }
    file.Lines.insert(file.Lines.begin() + static_cast<std::ptrdiff_t>(at), NewLine(file, text));
}

// Removes the lines marked, in one pass: a file holding thousands of repeated values or
// openings of the key is rewritten as quickly as any other.
void RemoveLines(RegistryFile& file, const std::vector<bool>& gone) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < file.Lines.size(); ++i) {
        if (!gone[i]) {
            if (kept != i) {
                file.Lines[kept] = std::move(file.Lines[i]);
            }
            ++kept;
        }
    }
    file.Lines.resize(kept);
}

// Where a value new to the key goes: after the last line that is not blank where the key is
// last opened; the key is opened at the end of the file when it is missing.
std::size_t PlaceForNewValue(RegistryFile& file, std::string_view fullPath) {
    std::optional<std::size_t> place;
    bool inKey = false;
    for (std::size_t i = 1; i < file.Lines.size(); ++i) {
        const std::string& text = file.Lines[i].Text;
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
    if (!file.Lines.back().Text.empty()) {
        InsertLine(file, file.Lines.size(), "");
    }
    InsertLine(file, file.Lines.size(), "[" + std::string(fullPath) + "]");
    InsertLine(file, file.Lines.size(), "");
    return file.Lines.size() - 1;
}

} // namespace

std::optional<RegistryFile> ParseFile(std::string_view bytes) {
    FileLines split = SplitLines(bytes);
    RegistryFile file;
    file.Encoding = split.Encoding;
    file.Lines = std::move(split.Lines);
    file.EndsOpen = JoinWrappedLines(file.Lines);
    if (file.Lines.empty()) {
        return std::nullopt;
    }
    const FileLine& header = file.Lines.front();
    const bool regedit4 = header.Text == Regedit4Header;
    if (!regedit4 && header.Text != RegistryHeader) {
        return std::nullopt;
    }
    // REGEDIT4 holds hex(1) text in the ANSI code page and Windows' version 5.00 in UTF-16LE,
    // whatever the file's own encoding became later. A version 5.00 file in UTF-8 is taken
    // for this program's own, whose hex(1) text is its bytes as given.
    file.HexText = regedit4                                 ? TextEncoding::Windows1252
                   : file.Encoding == TextEncoding::Utf16Le ? TextEncoding::Utf16Le
                                                            : TextEncoding::Utf8;
    file.End = header.End == LineEnd::CrLf ? LineEnd::CrLf : LineEnd::Lf;
    return file;
}

RegistryFile NewFile() {
    RegistryFile file;
    const std::string header(RegistryHeader);
    file.Lines.push_back({header + "\n", header, LineEnd::Lf});
    return file;
}

std::optional<ValueLine> LastValueLine(const RegistryFile& file, std::string_view fullPath,
                                       std::string_view name) {
    const std::vector<std::size_t> found = ValueLines(file, fullPath, name);
    if (found.empty()) {
        return std::nullopt;
    }
    return ParseValueLine(file.Lines[found.back()].Text, file.HexText);
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
    if (found.back() + 1 == file.Lines.size()) {
        file.EndsOpen = false; // the wrapped data were this value's
    }
    file.Lines[found.back()] = NewLine(file, text);
    std::vector<bool> gone(file.Lines.size());
    for (std::size_t k = 0; k + 1 < found.size(); ++k) {
        gone[found[k]] = true;
    }
    RemoveLines(file, gone);
}

void RemoveEmptyEarlierOpenings(RegistryFile& file, std::string_view fullPath) {
    const auto opensKey = [&](std::size_t i) {
        const auto path = KeyPathOf(file.Lines[i].Text);
        return path && SameName(*path, fullPath);
    };
    std::size_t last = 0;
    for (std::size_t i = 1; i < file.Lines.size(); ++i) {
        last = opensKey(i) ? i : last;
    }
    std::vector<bool> gone(file.Lines.size());
    std::optional<std::size_t> opening; // an earlier one, with nothing but blank lines so far
    const auto dropOpeningUpTo = [&](std::size_t end) {
        for (std::size_t k = opening.value_or(end); k < end; ++k) {
            gone[k] = true;
        }
    };
    for (std::size_t i = 1; i < last; ++i) {
        if (KeyPathOf(file.Lines[i].Text)) {
            dropOpeningUpTo(i); // it ends here
            opening = opensKey(i) ? std::optional(i) : std::nullopt;
        } else if (!file.Lines[i].Text.empty()) {
            opening.reset();
        }
    }
    dropOpeningUpTo(last);
    RemoveLines(file, gone);
}

std::string FileBytes(const RegistryFile& file) {
    std::string bytes(ByteOrderMark(file.Encoding));
    for (const FileLine& line : file.Lines) {
        bytes += line.Bytes;
    }
    return bytes;
}

} // namespace corvanta
