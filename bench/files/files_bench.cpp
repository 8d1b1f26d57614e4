// The keyed file against SQLite on the customer workload (115-byte records,
// unique key by number, case-insensitive duplicate key by name), at 1,000 and
// 1,000,000 records. "durable": every commit reaches the disk before it returns
// (ours syncs; SQLite in WAL mode with synchronous=FULL). "relaxed": no sync at
// commit (ours Sync=off; SQLite WAL with synchronous=NORMAL). Both keep 16 MB of
// pages in memory.
//   files_bench [--quick] [DIR]        runs everything and prints the table
//   files_bench --memory ENGINE FILE   opens FILE, reads one page, prints peak RSS
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engines.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

struct Row {
    std::string what;
    int32_t size;
    double ours;
    double theirs;
    std::string unit;
};

std::vector<Row> table;

void add(const std::string& what, int32_t size, double ours, double theirs, const std::string& unit) {
    table.push_back({what, size, ours, theirs, unit});
    std::printf("  %-44s %9d %12.2f %12.2f %-8s %5.2f\n", what.c_str(), size, ours, theirs, unit.c_str(),
                theirs > 0 ? ours / theirs : 0.0);
    std::fflush(stdout);
}

struct Measures {
    double values[32] = {};
    int n = 0;
};

// Runs the whole workload on one engine; returns the figures in a fixed order.
std::vector<double> runWorkload(bench::Engine& e, const std::string& path, int32_t total, bool quick) {
    std::vector<double> out;
    std::mt19937 random(42);
    e.create(path);
    e.setDurable(true);
    out.push_back(seconds([&] { e.bulkInsert(1, total, total); }) * 1e3); // ms
    e.close();
    e.open(path);
    int lookups = quick ? 2000 : 20000;
    std::uniform_int_distribution<int32_t> number(1, total);
    out.push_back(seconds([&] {
                      for (int i = 0; i < lookups; ++i) {
                          e.lookupNumber(number(random));
                      }
                  }) *
                  1e6 / lookups);
    out.push_back(seconds([&] {
                      for (int i = 0; i < lookups; ++i) {
                          e.lookupName(bench::customerFor(number(random), total).name);
                      }
                  }) *
                  1e6 / lookups);
    int64_t scanRows = std::min<int64_t>(100000, total);
    int64_t got = 0;
    e.scanByName(scanRows); // warm
    out.push_back(seconds([&] { got = e.scanByName(scanRows); }) * 1e3);
    if (got != scanRows) {
        std::fprintf(stderr, "%s: scan read %lld rows\n", e.name().c_str(), static_cast<long long>(got));
    }
    int pages = quick ? 200 : 2000;
    out.push_back(seconds([&] {
                      for (int i = 0; i < pages; ++i) {
                          e.pageForward(bench::customerFor(number(random), total).name);
                      }
                  }) *
                  1e6 / pages);
    out.push_back(seconds([&] {
                      for (int i = 0; i < pages; ++i) {
                          e.pageBackward(bench::customerFor(number(random), total).name);
                      }
                  }) *
                  1e6 / pages);
    for (bool durable : {true, false}) {
        e.setDurable(durable);
        int ops = durable ? (quick ? 5 : 20) : (quick ? 200 : 2000);
        int32_t base = total + (durable ? 1 : 1000000);
        out.push_back(seconds([&] {
                          for (int i = 0; i < ops; ++i) {
                              e.insertOne(bench::customerFor(base + i, total));
                          }
                      }) *
                      1e6 / ops);
        out.push_back(seconds([&] {
                          for (int i = 0; i < ops; ++i) {
                              e.updateOne(number(random));
                          }
                      }) *
                      1e6 / ops);
        out.push_back(seconds([&] {
                          for (int i = 0; i < ops; ++i) {
                              e.deleteOne(base + i);
                          }
                      }) *
                      1e6 / ops);
    }
    out.push_back(static_cast<double>(e.fileBytes(path)) / (1 << 20));
    e.close();
    return out;
}

int memoryChild(const std::string& engine, const std::string& path) {
    auto e = engine == "sqlite" ? bench::sqliteEngine() : bench::keyedFileEngine();
    e->open(path);
    int rows = e->pageForward("M");
    std::printf("%ld %d\n", peakKilobytes(), rows);
    return 0;
}

double memoryOf(const char* self, const std::string& engine, const std::string& path) {
    std::string command = std::string(self) + " --memory " + engine + " '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    long kb = -1;
    int rows = 0;
    if (pipe) {
        if (std::fscanf(pipe, "%ld %d", &kb, &rows) != 2) {
            kb = -1;
        }
        pclose(pipe);
    }
    return static_cast<double>(kb) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--memory") == 0) {
        return memoryChild(argv[2], argv[3]);
    }
    bool quick = false;
    std::filesystem::path dir = std::filesystem::current_path() / "bench-files";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else {
            dir = argv[i];
        }
    }
    std::filesystem::create_directories(dir);
    std::printf("customer workload; figures: ours, SQLite, unit, ratio ours/SQLite (below 1 is faster)\n");
    std::vector<int32_t> sizes =
        quick ? std::vector<int32_t>{1000, 100000} : std::vector<int32_t>{1000, 1000000};
    const char* names[] = {"bulk insert, one transaction",
                           "lookup by number",
                           "lookup by name",
                           "ordered scan by name (min(100000, size) rows)",
                           "page of 20 forward from a random name",
                           "page of 20 backward from a random name",
                           "insert, committed (durable)",
                           "update, committed (durable)",
                           "delete, committed (durable)",
                           "insert, committed (relaxed)",
                           "update, committed (relaxed)",
                           "delete, committed (relaxed)",
                           "file size"};
    const char* units[] = {"ms",    "us/op", "us/op", "ms",    "us/page", "us/page", "us/op",
                           "us/op", "us/op", "us/op", "us/op", "us/op",   "MB"};
    for (int32_t size : sizes) {
        std::string ours = (dir / ("customer-" + std::to_string(size) + ".dat")).string();
        std::string theirs = (dir / ("customer-" + std::to_string(size) + ".db")).string();
        auto a = bench::keyedFileEngine();
        auto b = bench::sqliteEngine();
        std::vector<double> x = runWorkload(*a, ours, size, quick);
        std::vector<double> y = runWorkload(*b, theirs, size, quick);
        for (size_t i = 0; i < x.size(); ++i) {
            add(names[i], size, x[i], y[i], units[i]);
        }
        add("peak memory: open and read one page", size, memoryOf(argv[0], "ours", ours),
            memoryOf(argv[0], "sqlite", theirs), "MB");
    }
    return 0;
}
