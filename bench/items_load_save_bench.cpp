// Loading and saving a generated tree of 10,000 entries in 1,000 folders, against bare loops
// that read and write the same files. The save syncs the file system once at its end, so its
// fair baseline is the bare write followed by one syncfs. Prints the ratios at the end.
//
//   build/bench/items_load_save_bench [--benchmark_...]
// PATHWICK_BENCH_LINKS / PATHWICK_BENCH_FOLDERS change the size; PATHWICK_BENCH_DIR the folder
// (default: a folder in the system's temporary folder, removed at the end).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

#include "items/atomic_write.h"
#include "items/icon_source.h"
#include "items/item_store.h"
#include "items_generate.h"

namespace {

namespace fs = std::filesystem;

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

struct BenchState {
    std::string base;
    pw::bench::GeneratedTree tree;
    std::vector<std::string> contents; // the bytes of tree.files, for the bare write
    pw::items::PlainIconSource icons;
    std::unique_ptr<pw::items::ItemStore> store;
};

BenchState& State() {
    static BenchState* state = [] {
        auto* s = new BenchState;
        const char* dir = std::getenv("PATHWICK_BENCH_DIR");
        s->base = dir && *dir ? std::string(dir) + "/"
                              : (fs::temp_directory_path() /
                                 ("pathwick-items-bench-" + std::to_string(::getpid())))
                                        .string() +
                                    "/";
        s->tree = pw::bench::GenerateItemsTree(s->base + "data/shortcuts/",
                                               EnvInt("PATHWICK_BENCH_LINKS", 10000),
                                               EnvInt("PATHWICK_BENCH_FOLDERS", 1000));
        fs::create_directories(s->base + "data/temp");
        for (const std::string& f : s->tree.files) {
            std::string bytes;
            if (std::FILE* in = std::fopen(f.c_str(), "rb")) {
                char buf[65536];
                size_t n;
                while ((n = std::fread(buf, 1, sizeof buf, in)) > 0)
                    bytes.append(buf, n);
                std::fclose(in);
            }
            s->contents.push_back(std::move(bytes));
        }
        s->store = std::make_unique<pw::items::ItemStore>(
            pw::items::StorePaths{s->base + "data/shortcuts/", s->base + "data/temp/",
                                  s->base + "program/"},
            s->icons);
        return s;
    }();
    return *state;
}

void BM_BareRead(benchmark::State& st) {
    BenchState& s = State();
    size_t total = 0;
    for (auto _ : st) {
        for (const std::string& f : s.tree.files) {
            std::string bytes;
            if (std::FILE* in = std::fopen(f.c_str(), "rb")) {
                char buf[65536];
                size_t n;
                while ((n = std::fread(buf, 1, sizeof buf, in)) > 0)
                    bytes.append(buf, n);
                std::fclose(in);
            }
            total += bytes.size();
        }
    }
    benchmark::DoNotOptimize(total);
    st.counters["files"] = static_cast<double>(s.tree.files.size());
}

void BM_Load(benchmark::State& st) {
    BenchState& s = State();
    for (auto _ : st)
        s.store->LoadItems();
    st.counters["nodes"] = s.store->tvItems.Count();
    st.counters["pictures"] = s.store->Images.ilPublicPM.Count();
}

// The same files with the same bytes, as fresh files (a save writes fresh files too), each pass
// into a new mirror folder so that no deletion runs beside the writes; with sync, followed by
// one syncfs of the file system, as the save ends.
void BareWrite(benchmark::State& st, bool sync) {
    BenchState& s = State();
    const std::string from = s.tree.root;
    int pass = 0;
    std::vector<std::string> targets(s.tree.files.size());
    for (auto _ : st) {
        st.PauseTiming();
        const std::string to = s.base + "bare" + std::to_string(pass++) + "/";
        std::error_code ec;
        for (size_t i = 0; i < targets.size(); ++i) {
            targets[i] = to + s.tree.files[i].substr(from.size());
            fs::create_directories(fs::path(targets[i]).parent_path(), ec);
        }
        pw::items::SyncFileSystem(s.base); // nothing written before counts
        st.ResumeTiming();
        for (size_t i = 0; i < targets.size(); ++i)
            pw::bench::WriteBench(targets[i], s.contents[i]);
        if (sync)
            pw::items::SyncFileSystem(to);
    }
    for (int i = 0; i < pass; ++i) {
        std::error_code ec;
        fs::remove_all(s.base + "bare" + std::to_string(i), ec);
    }
}

void BM_BareWrite(benchmark::State& st) {
    BareWrite(st, false);
}
void BM_BareWriteSyncfs(benchmark::State& st) {
    BareWrite(st, true);
}

// The save of the unchanged tree. Each follows a load, as in the program, so that it reads the
// tree pictures the load left unread.
void SaveBench(benchmark::State& st, bool sync) {
    BenchState& s = State();
    s.store->SyncAfterSave = sync;
    for (auto _ : st) {
        st.PauseTiming();
        s.store->LoadItems();
        st.ResumeTiming();
        s.store->SaveItems(true);
    }
    s.store->SyncAfterSave = true;
}

void BM_Save(benchmark::State& st) {
    SaveBench(st, true);
}
void BM_SaveWithoutSync(benchmark::State& st) {
    SaveBench(st, false);
}

BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareWriteSyncfs)->Unit(benchmark::kMillisecond);
// Several saves each, so that a first one on caches the bare writes have cooled does not stand
// alone.
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_SaveWithoutSync)->Unit(benchmark::kMillisecond)->MinTime(3);

// Keeps the real time of every run so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times; // milliseconds
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const std::string name = r.benchmark_name();
            times[name.substr(0, name.find('/'))] = r.GetAdjustedRealTime(); // without "/min_time"
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* a, const char* b, const char* what, double target) {
        auto ia = reporter.times.find(a), ib = reporter.times.find(b);
        if (ia == reporter.times.end() || ib == reporter.times.end() || ib->second <= 0)
            return;
        std::printf("%-40s %6.2fx  (target %.1fx)\n", what, ia->second / ib->second, target);
    };
    const BenchState& s = State();
    std::printf("\n%d entries in %d folders, %zu files\n", s.tree.links, s.tree.folders,
                s.tree.files.size());
    ratio("BM_Load", "BM_BareRead", "load / bare read", 1.5);
    ratio("BM_Save", "BM_BareWriteSyncfs", "save / (bare write + syncfs)", 2.0);
    ratio("BM_Save", "BM_BareWrite", "save / bare write", 2.0);
    ratio("BM_SaveWithoutSync", "BM_BareWrite", "save without final sync / bare write", 2.0);
    if (!std::getenv("PATHWICK_BENCH_DIR")) {
        std::error_code ec;
        fs::remove_all(s.base, ec);
    }
    benchmark::Shutdown();
    return 0;
}
