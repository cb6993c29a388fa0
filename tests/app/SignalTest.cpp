// The game ends the orderly way when it is asked to stop: a termination signal saves the
// bank and the settings exactly like Exit. Runs the real program in a folder of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SignalTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("corvanta-signal-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "config");
        fs::create_directories(folder / "data");
        fs::copy_file(CORVANTA_BINARY, folder / "corvanta");
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_P(SignalTest, TheSignalRunsTheSameShutdownAsExit) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        execl((folder / "corvanta").c_str(), "corvanta", static_cast<char*>(nullptr));
        _exit(127);
    }
    // The start-up creates the empty bank file in the data folder; then the window is up.
    const fs::path bankFile = folder / "data" / "corvanta" / "gbank.db";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(bankFile) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool started = fs::exists(bankFile);
    if (started) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let the event loop start
    }
    kill(child, started ? GetParam() : SIGKILL); // never leave a game behind
    ASSERT_TRUE(started) << "no bank appeared in the data folder";
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    // The default account reached the bank, and the settings were written.
    const std::string bank = ReadFile(bankFile);
    ASSERT_EQ(bank.size(), 46u);
    EXPECT_EQ(bank.substr(0, 20), "Default             ");
    const std::string settings = ReadFile(folder / "config" / "corvanta" / "settings.reg");
    EXPECT_NE(settings.find("\"Current Money\"=dword:00000064"), std::string::npos) << settings;
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

} // namespace
