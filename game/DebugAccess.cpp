#include "game/DebugAccess.h"

namespace corvanta {

bool OpensDebugConsole(std::string_view typedCode) {
    return typedCode == DebugAccessCode;
}

} // namespace corvanta
