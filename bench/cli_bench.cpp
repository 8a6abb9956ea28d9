#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "budget_generator.h"
#include "temp_folder.h"

extern char** environ;

namespace varnelle::bench {
namespace {

// Whole processes of the command line, against a bare INI parser over the same file.

const test::TempFolder& scratch() {
    static const test::TempFolder folder;
    return folder;
}

// The data file of the generated budget of that many operations, written once.
const std::string& budgetFile(int nbOperations) {
    static std::map<int, std::string> cache;
    std::string& path = cache[nbOperations];
    if (path.empty())
        path = ecritFichierBudget(scratch().path(), "budget" + std::to_string(nbOperations),
                                  genereBudget(nbOperations))
                   .string();
    return path;
}

struct Run {
    bool ok = false;
    long peakKilobytes = 0;
};

// Runs the program with its output thrown away; ok when it exits with 0.
Run run(std::vector<std::string> words) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Run result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            result.peakKilobytes = usage.ru_maxrss;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

std::vector<std::string> cli(const char* command, int nbOperations) {
    return {VARNELLE_CLI, command, budgetFile(nbOperations), "--password", "secret"};
}

void runs(benchmark::State& state, const std::vector<std::string>& words) {
    for (auto _ : state) {
        if (!run(words).ok) {
            state.SkipWithError("the process failed");
            break;
        }
    }
}

void BM_IniBaseline(benchmark::State& state) {
    runs(state, {VARNELLE_INI_BASELINE, budgetFile(static_cast<int>(state.range(0)))});
}

void BM_CliCheck(benchmark::State& state) {
    runs(state, cli("check", static_cast<int>(state.range(0))));
}

void BM_CliShow(benchmark::State& state) {
    runs(state, cli("show", static_cast<int>(state.range(0))));
}

// Peak memory of check above an empty budget's, against the file's size, in the label.
void BM_CliCheckMemory(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    long above = 0;
    for (auto _ : state) {
        const Run empty = run(cli("check", 0));
        const Run full = run(cli("check", n));
        if (!empty.ok || !full.ok) {
            state.SkipWithError("the process failed");
            break;
        }
        above = full.peakKilobytes - empty.peakKilobytes;
    }
    struct stat info {};
    ::stat(budgetFile(n).c_str(), &info);
    const double share = 1024.0 * static_cast<double>(above) / static_cast<double>(info.st_size);
    char label[64];
    std::snprintf(label, sizeof label, "peak above empty %.2f x file", share);
    state.SetLabel(label);
    state.counters["peak_over_file"] = share;
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000);
    if (const char* million = std::getenv("VARNELLE_BENCH_MILLION");
        million != nullptr && std::string(million) == "1")
        b->Arg(1000000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_IniBaseline)->Apply(sizes);
BENCHMARK(BM_CliCheck)->Apply(sizes);
BENCHMARK(BM_CliShow)->Apply(sizes);
BENCHMARK(BM_CliCheckMemory)->Apply(sizes)->Iterations(3);

}  // namespace
}  // namespace varnelle::bench

BENCHMARK_MAIN();
