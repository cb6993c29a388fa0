#pragma once
// Small text helpers shared by the stored formats.

#include <string>
#include <string_view>

namespace corvanta {

// Removes leading and trailing spaces only (not tabs, not NUL characters), the way names
// are compared and shown and setting texts are stored.
std::string TrimSpaces(std::string_view text);

} // namespace corvanta
