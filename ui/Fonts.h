#pragma once

namespace corvanta {

// The windows were designed in Arial and MS Sans Serif; Liberation Sans has the same
// metrics, so captions sized for those fonts keep fitting.
void InstallFontSubstitutes();

} // namespace corvanta
