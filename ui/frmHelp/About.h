#pragma once
// What the program is: its name, version, licence and the Qt it runs on, for --version and for
// the About Corvanta box.

#include <string>

class QWidget;

namespace corvanta {

// "Corvanta 1.0" (the version the build gives), the Qt version the program runs on, the
// copyright and the licence, one a line, without a line end after the last.
std::string VersionText();

// The About Corvanta box, modal to `parent`, with the same facts.
void ShowAbout(QWidget* parent);

} // namespace corvanta
