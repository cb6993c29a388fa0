// Window tests run on the offscreen platform: no display is needed. Their folders are kept in
// memory where /dev/shm is there, since every save of the game is flushed to the disk.
//
// They never touch the real user's files: Qt's standard paths are in test mode, and HOME and
// the XDG folders point into a folder of the run's own, so that what Qt keeps for itself (the
// file dialog's history in QtProject.conf) lands there. At the end the run checks that the
// real home's files it could have touched are as they were.
#include "support/TempFolder.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Size and time of change of each file, or "missing".
std::string StateOf(const std::vector<std::string>& paths) {
    std::string state;
    for (const std::string& path : paths) {
        struct stat s {};
        state += path + (::stat(path.c_str(), &s) != 0
                             ? std::string(" missing\n")
                             : " " + std::to_string(s.st_size) + " bytes, changed " +
                                   std::to_string(s.st_ctim.tv_sec) + "." +
                                   std::to_string(s.st_ctim.tv_nsec) + "\n");
    }
    return state;
}

class RealHomeUntouched : public ::testing::Environment {
public:
    explicit RealHomeUntouched(const std::string& home)
        : paths_{home + "/.config/QtProject.conf", home + "/.config/corvanta",
                 home + "/.local/share/corvanta", home + "/.qttest"},
          before_(StateOf(paths_)) {}
    void TearDown() override {
        EXPECT_EQ(StateOf(paths_), before_) << "a test wrote into the real home";
    }

private:
    std::vector<std::string> paths_;
    std::string before_;
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::setenv("TEST_TMPDIR", ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp", 0);
    const char* realHome = std::getenv("HOME");
    const corvanta::test::TempFolder home;
    for (const auto& [name, folder] : {std::pair{"HOME", ""},
                                       {"XDG_CONFIG_HOME", "/.config"},
                                       {"XDG_DATA_HOME", "/.local/share"},
                                       {"XDG_CACHE_HOME", "/.cache"},
                                       {"XDG_STATE_HOME", "/.local/state"}}) {
        ::setenv(name, (home.Path() + folder).c_str(), 1);
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    corvanta::InstallGameFonts();
    ::testing::InitGoogleTest(&argc, argv);
    if (realHome != nullptr) {
        ::testing::AddGlobalTestEnvironment(new RealHomeUntouched(realHome));
    }
    return RUN_ALL_TESTS();
}
