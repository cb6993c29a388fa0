// Window tests run on the offscreen platform: no display is needed. Their folders are kept in
// memory where /dev/shm is there, since every save of the game is flushed to the disk.
#include "ui/Widgets.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <unistd.h>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::setenv("TEST_TMPDIR", ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp", 0);
    QApplication app(argc, argv);
    corvanta::InstallGameFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
