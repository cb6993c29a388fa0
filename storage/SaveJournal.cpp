#include "storage/SaveJournal.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <unistd.h>

namespace corvanta {
namespace {

constexpr std::string_view Header = "corvanta save journal 1\n";
constexpr std::size_t ChecksumDigits = 16;
// No real journal comes near: a full bank is 4,600 bytes and the settings a few hundred.
constexpr std::size_t MaxJournalBytes = 8 * 1024 * 1024;

// FNV-1a: enough to tell a whole journal from anything else that might sit in its place.
std::uint64_t Checksum(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    std::string text(ChecksumDigits, '0');
    for (std::size_t i = ChecksumDigits; i-- > 0; value >>= 4) {
        text[i] = "0123456789abcdef"[value & 0xF];
    }
    return text;
}

// A decimal count followed by `end`, taken from the front of `bytes`.
std::optional<std::size_t> TakeCount(std::string_view& bytes, char end) {
    std::size_t count = 0;
    const auto [stop, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), count);
    if (error != std::errc{} || stop == bytes.data() + bytes.size() || *stop != end) {
        return std::nullopt;
    }
    bytes.remove_prefix(static_cast<std::size_t>(stop - bytes.data()) + 1);
    return count;
}

std::optional<std::string> TakeBytes(std::string_view& bytes, std::size_t count) {
    if (count > bytes.size()) {
        return std::nullopt;
    }
    std::string taken(bytes.substr(0, count));
    bytes.remove_prefix(count);
    return taken;
}

SaveResult ReplaceAll(const std::vector<FileImage>& files, Flush flush) {
    for (const FileImage& file : files) {
        if (SaveResult result = WriteFileAtomically(file.path, file.bytes, flush); !result.ok) {
            return result;
        }
    }
    return {};
}

} // namespace

std::string JournalBytes(const std::vector<FileImage>& files) {
    std::string bytes(Header);
    bytes += std::to_string(files.size()) + "\n";
    for (const FileImage& file : files) {
        bytes += std::to_string(file.path.size()) + " " + std::to_string(file.bytes.size()) + "\n";
        bytes += file.path;
        bytes += file.bytes;
    }
    return bytes + Hex(Checksum(bytes)) + "\n";
}

std::optional<std::vector<FileImage>> ReadJournal(std::string_view bytes) {
    if (bytes.size() < Header.size() + ChecksumDigits + 1 || !bytes.starts_with(Header) ||
        !bytes.ends_with('\n')) {
        return std::nullopt;
    }
    const std::string_view body = bytes.substr(0, bytes.size() - ChecksumDigits - 1);
    if (bytes.substr(body.size(), ChecksumDigits) != Hex(Checksum(body))) {
        return std::nullopt;
    }
    std::string_view rest = body.substr(Header.size());
    const auto count = TakeCount(rest, '\n');
    if (!count || *count > rest.size()) {
        return std::nullopt;
    }
    std::vector<FileImage> files;
    for (std::size_t i = 0; i < *count; ++i) {
        const auto pathLength = TakeCount(rest, ' ');
        const auto byteCount = pathLength ? TakeCount(rest, '\n') : std::nullopt;
        auto path = byteCount ? TakeBytes(rest, *pathLength) : std::nullopt;
        auto contents = path ? TakeBytes(rest, *byteCount) : std::nullopt;
        if (!contents || path->empty()) {
            return std::nullopt;
        }
        files.push_back({std::move(*path), std::move(*contents)});
    }
    return rest.empty() ? std::optional(std::move(files)) : std::nullopt;
}

SaveResult WriteTogether(const std::string& journalPath, const std::vector<FileImage>& files,
                         JournalEnd end) {
    // While a journal stands on the disk, a power cut leaves it or its successor, and either
    // one rebuilds a whole pair at the next start; so only the first journal of a game waits
    // for its name to reach the disk, and the later ones only for their bytes.
    const bool first = ::access(journalPath.c_str(), F_OK) != 0;
    const SaveResult journal = WriteFileAtomically(journalPath, JournalBytes(files),
                                                   first ? Flush::Durable : Flush::Contents);
    if (!journal.ok) {
        return journal; // nothing was replaced: the old files stand, and an older journal
    }
    if (end == JournalEnd::Kept) {
        return ReplaceAll(files, Flush::Lazy);
    }
    if (SaveResult replaced = ReplaceAll(files, Flush::Durable); !replaced.ok) {
        return replaced; // the journal stays, and the next start completes the save
    }
    ::unlink(journalPath.c_str());
    return {};
}

SaveResult RecoverJournal(const std::string& journalPath) {
    const ReadResult journal = ReadWholeFile(journalPath, MaxJournalBytes);
    if (journal.error == ENOENT) {
        return {};
    }
    if (journal.error != 0) {
        return SaveResult::Failure(journalPath, journal.error);
    }
    const auto files = ReadJournal(journal.bytes);
    if (files) {
        if (SaveResult replaced = ReplaceAll(*files, Flush::Durable); !replaced.ok) {
            return replaced;
        }
    }
    ::unlink(journalPath.c_str());
    return {};
}

} // namespace corvanta
