// Load and save of a full bank (100 accounts, 4600 bytes). The save includes the fsync of
// the file and its folder, which is most of its cost.
#include "bank/BankFile.h"
#include "support/SavedFiles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace corvanta {
namespace {

// A temporary program folder holding a full bank, removed when done.
struct FullBankFolder {
    std::string path;

    FullBankFolder() {
        path = (std::filesystem::temp_directory_path() / "corvanta-bench-XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr) {
            throw std::runtime_error("cannot create a folder for the bank under " + path);
        }
        Bank bank;
        LoadBank(bank, path);
        for (int n = 1; n <= MaxAccounts; ++n) {
            AssignText(bank.AccountTable[n].Name, "Player " + std::to_string(n));
            bank.AccountTable[n].Savings = n * 25;
        }
        bank.AccountCount = MaxAccounts;
        SaveBank(bank, path);
    }
    ~FullBankFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void BM_LoadFullBank(benchmark::State& state) {
    const FullBankFolder folder;
    Bank bank;
    for (auto _ : state) {
        LoadBank(bank, folder.path);
        benchmark::DoNotOptimize(bank.AccountCount);
    }
}
BENCHMARK(BM_LoadFullBank);

void BM_SaveFullBank(benchmark::State& state) {
    const FullBankFolder folder;
    Bank bank;
    LoadBank(bank, folder.path);
    for (auto _ : state) {
        if (!SaveBank(bank, folder.path).ok) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveFullBank)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace corvanta
