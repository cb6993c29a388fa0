#pragma once
// The game from start to end, apart from the QApplication that main() makes.

#include <string>
#include <string_view>

namespace corvanta {

struct Folders {
    std::string program; // the executable's folder
    std::string data;    // the per-user data folder ($XDG_DATA_HOME, default ~/.local/share)
    std::string config;  // the per-user settings folder ($XDG_CONFIG_HOME, default ~/.config)
};

// The game's id on the desktop: its .desktop entry, icon and AppStream files are named by it.
inline constexpr std::string_view AppId = "org.corvanta.Corvanta";

// The application's name, as the desktop entry gives it (Name, StartupWMClass), and its
// desktop file's name, so that docks and task bars match the window to its menu entry. The
// window's class on X11 and its app id on Wayland come from these.
inline constexpr std::string_view AppName = "Corvanta";
void NameTheApplication();

// The exit status of a copy that found another copy running.
inline constexpr int AlreadyRunningStatus = 1;

// Chooses the bank's folder, takes the locks beside the bank and beside the settings (making
// their folders and the empty lock files first), then shows the main window and runs the event
// loop until the game ends; returns the exit status. When another copy holds a lock, asks it
// to bring its window to the front, or, when it does not answer, says in a message box that
// the game is already running; either way returns AlreadyRunningStatus without reading or
// writing the bank or the settings. A lock that cannot be taken at all leaves nothing to tell
// whether another copy runs: the game then starts, says so, and saves nothing. A termination signal
// ends the game the orderly way from the first message box on.
int RunGame(const Folders& folders);

} // namespace corvanta
