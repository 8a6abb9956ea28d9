#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
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

// Runs the program with its output thrown away; true when it exits with 0.
bool run(std::vector<std::string> words) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    bool ok = false;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ok = waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return ok;
}

// Peak resident memory of the program in kilobytes, 0 when it fails. Measured by time(1):
// the peak a child reports to this process would include this large process's own.
long peakKilobytes(const std::vector<std::string>& words) {
    const std::string report = (scratch().path() / "peak").string();
    std::vector<std::string> timed = {"/usr/bin/time", "-f", "%M", "-o", report};
    timed.insert(timed.end(), words.begin(), words.end());
    if (!run(timed)) return 0;
    std::FILE* in = std::fopen(report.c_str(), "r");
    long kilobytes = 0;
    if (in != nullptr) {
        if (std::fscanf(in, "%ld", &kilobytes) != 1) kilobytes = 0;
        std::fclose(in);
    }
    return kilobytes;
}

std::vector<std::string> cli(const char* command, int nbOperations) {
    return {VARNELLE_CLI, command, budgetFile(nbOperations), "--password", "secret"};
}

void runs(benchmark::State& state, const std::vector<std::string>& words) {
    for (auto _ : state) {
        if (!run(words)) {
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
        const long empty = peakKilobytes(cli("check", 0));
        const long full = peakKilobytes(cli("check", n));
        if (empty == 0 || full == 0) {
            state.SkipWithError("the process failed");
            break;
        }
        above = full - empty;
    }
    struct stat info {};
    ::stat(budgetFile(n).c_str(), &info);
    const double share = 1024.0 * static_cast<double>(above) / static_cast<double>(info.st_size);
    char label[64];
    std::snprintf(label, sizeof label, "peak above empty %.2f x file", share);
    state.SetLabel(label);  // not a counter: run.sh's CSV wants the same counters in every case
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
