#include "RealProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace corvanta::test {

pid_t StartProgram(const TempFolder& folder) {
    const std::string program = folder / "corvanta";
    if (!std::filesystem::exists(program)) {
        std::filesystem::copy_file(CORVANTA_BINARY, program);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("HOME", folder.Path().c_str(), 1); // nothing of Qt's own in the real home
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::execl(program.c_str(), "corvanta", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

int WaitForTheEnd(pid_t child) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the game did not end";
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status;
}

} // namespace corvanta::test
