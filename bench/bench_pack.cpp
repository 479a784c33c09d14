// brelvik-pack beside Debian's `zip -9` on the same members, both run as programs in the same
// run: the counters give the time ratio (goal at most 1.5) and the size ratio of the archives
// (goal at most 1.02). The members are half compressible text, half random bytes.
//
//   bench_pack [--mb=N] [benchmark options]    N megabytes of members, 200 by default

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QProcess>
#include <QStringList>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_timing.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMembers = 20;
std::size_t megabytes = 200;

std::string Text_bytes(std::size_t size, std::mt19937_64& random) {
    static const char* const kWords[] = {"tank",   "armour", "turret",  "engine", "crew",
                                         "shell",  "config", "texture", "model",  "class",
                                         "weapon", "sound",  "= 1;",    "{",      "};\r\n"};
    std::string text;
    text.reserve(size + 16);
    while (text.size() < size) {
        text += kWords[random() % std::size(kWords)];
        text += random() % 7 == 0 ? "\r\n" : " ";
    }
    text.resize(size);
    return text;
}

std::string Random_bytes(std::size_t size, std::mt19937_64& random) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t value = random();
        std::memcpy(&bytes[i], &value, 8);
    }
    return bytes;
}

// The member folder, made once per run and removed at its end.
class Members {
  public:
    Members()
        : folder_(fs::temp_directory_path() /
                  ("brelvik-bench-pack-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        std::mt19937_64 random(1);
        const std::size_t size = megabytes * 1000 * 1000 / kMembers;
        for (std::size_t i = 0; i < kMembers; ++i) {
            const fs::path path = folder_ / ("member" + std::to_string(i) + ".pbo");
            std::ofstream(path, std::ios::binary)
                << (i % 2 == 0 ? Text_bytes(size, random) : Random_bytes(size, random));
            paths_ << QString::fromStdString(path.string());
        }
    }
    ~Members() { fs::remove_all(folder_); }

    const QStringList& Paths() const { return paths_; }
    fs::path Archive(const char* name) const { return folder_ / name; }

  private:
    fs::path folder_;
    QStringList paths_;
};

// Seconds the program took; its report is not wanted here.
double Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    const double seconds = Seconds([&] {
        process.start(program, arguments);
        process.waitForFinished(-1);
    });
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        std::exit(1);
    }
    return seconds;
}

void BM_PackBesideZip(benchmark::State& state) {
    static const Members members;
    const fs::path ours = members.Archive("ours.zip");
    const fs::path theirs = members.Archive("theirs.zip");
    double ourSeconds = 0;
    double zipSeconds = 0;
    for (auto _ : state) {
        fs::remove(ours);
        fs::remove(theirs);
        zipSeconds += Run(
            "zip", QStringList{"-9", "-j", "-q", QString::fromStdString(theirs)} + members.Paths());
        const double seconds =
            Run(BRELVIK_PACK_PROGRAM,
                QStringList{"-ex", QString::fromStdString(ours)} + members.Paths());
        ourSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["MB"] = static_cast<double>(megabytes);
    state.counters["time_vs_zip"] = ourSeconds / zipSeconds;
    state.counters["size_vs_zip"] =
        static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs));
}
BENCHMARK(BM_PackBesideZip)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace brelvik

int main(int argc, char** argv) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--mb=", 5) == 0) {
            brelvik::megabytes = std::strtoul(argv[i] + 5, nullptr, 10);
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    ::setenv("BRELVIK_PACK_NO_WINDOW", "1", 1);
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
