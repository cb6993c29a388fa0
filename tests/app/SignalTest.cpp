// The game ends the orderly way when it is asked to stop: a termination signal saves the
// bank and the settings exactly like Exit. Runs the real program in a folder of its own.
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class SignalTest : public ::testing::TestWithParam<int> {};

TEST_P(SignalTest, TheSignalRunsTheSameShutdownAsExit) {
    namespace fs = std::filesystem;
    const corvanta::test::TempFolder folder;
    const std::string program = folder / "corvanta";
    fs::copy_file(CORVANTA_BINARY, program);
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        execl(program.c_str(), "corvanta", static_cast<char*>(nullptr));
        _exit(127);
    }
    // The start-up creates the empty bank file in the data folder; then the window is up.
    const std::string bank = folder / "data/corvanta/gbank.db";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(bank) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool started = fs::exists(bank);
    if (started) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the event loop starts
    }
    kill(child, started ? GetParam() : SIGKILL); // never leave a game behind
    ASSERT_TRUE(started) << "no bank appeared in the data folder";
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    // The default account reached the bank, and the settings were written.
    EXPECT_EQ(corvanta::test::ReadBytes(bank),
              "Default             " + std::string(8, '\0') + "d" + std::string(17, '\0'));
    const std::string settings = corvanta::test::ReadBytes(folder / "config/corvanta/settings.reg");
    EXPECT_NE(settings.find("\"Current Money\"=dword:00000064"), std::string::npos) << settings;
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

} // namespace
