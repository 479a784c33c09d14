// brelvik-pack beside Debian's `zip -9` on the same members, both run as programs in the same
// run, three times each. For each set of members the counters give the time ratio, the size
// ratio of the archives and the peak memory of both; `pigz -9 -p N` on the mixed set shows
// what N cores can do at all. The summary at the end says which goals hold.
//
//   bench_pack [--mb=N] [--files=N] [--zeros-mb=N] [benchmark options]
//     --mb        megabytes of mixed members, half text, half random (200)
//     --files     small text files, named to brelvik-pack through a list file (10000)
//     --zeros-mb  megabytes of one member that is mostly zeros (2048)

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_timing.h"

extern char** environ;

namespace brelvik {
namespace {

namespace fs = std::filesystem;

std::size_t megabytes = 200;
std::size_t smallFiles = 10000;
std::size_t zeroMegabytes = 2048;
constexpr int kRepeats = 3;
constexpr double kPeakGoalMiB = 64;
constexpr double kSizeGoal = 1.001;

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

// A program's wall time, processor time and peak resident memory.
struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMiB = 0;
};

double Seconds_of(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs argv, waits for it and writes its wall time, processor time and peak memory to the
// report file; returns its exit code. A program's peak memory counts that of the process that
// started it (exec keeps the high-water mark of the image it replaces), so the benchmark starts
// each program through this: itself started afresh, before it has made any data.
int Measure(const char* reportPath, char** argv) {
    rusage usage{};
    int status = -1;
    const double seconds = Seconds([&] {
        pid_t pid = -1;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) == 0) {
            wait4(pid, &status, 0, &usage);
        }
    });
    std::ofstream(reportPath) << seconds << ' '
                              << Seconds_of(usage.ru_utime) + Seconds_of(usage.ru_stime) << ' '
                              << static_cast<double>(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// Runs argv[0] with standard input and output from and to the given files ("" for
// /dev/null); a failure ends the benchmark.
Run Spawn(const std::vector<std::string>& argv, const fs::path& in, const fs::path& out) {
    const fs::path report =
        fs::temp_directory_path() / ("brelvik-bench-measure-" + std::to_string(::getpid()));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.empty() ? "/dev/null" : in.c_str(), O_RDONLY,
                                     0);
    posix_spawn_file_actions_addopen(&actions, 1, out.empty() ? "/dev/null" : out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string self = "/proc/self/exe";
    std::string measure = "--measure=" + report.string();
    std::vector<char*> args = {self.data(), measure.data()};
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    int status = -1;
    pid_t pid = -1;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, args.data(), environ) == 0) {
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    Run run;
    std::ifstream(report) >> run.seconds >> run.cpuSeconds >> run.peakMiB;
    fs::remove(report);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0].c_str());
        std::exit(1);
    }
    return run;
}

// Members in a folder of their own, made on first use and removed at the end of the run.
class MemberSet {
  public:
    explicit MemberSet(const std::string& name)
        : folder_(fs::temp_directory_path() / ("brelvik-bench-pack-" + std::to_string(::getpid())) /
                  name) {
        fs::create_directories(folder_ / "members");
    }
    MemberSet(const MemberSet&) = delete;
    MemberSet& operator=(const MemberSet&) = delete;
    ~MemberSet() {
        fs::remove_all(folder_);
        std::error_code othersLeft;
        fs::remove(folder_.parent_path(), othersLeft);
    }

    fs::path Add(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / "members" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        paths_.push_back(path.string());
        return path;
    }
    void Add_existing(const fs::path& path) { paths_.push_back(path.string()); }
    // brelvik-pack gets the members through a list file as the window saves it, not as
    // arguments; zip always reads the names from its standard input.
    void Use_list_file() {
        std::ofstream list(Names_file("list.txta"), std::ios::binary);
        for (const std::string& path : paths_) {
            list << path << "\r\n";
        }
        ourOperands_ = {"@" + Names_file("list.txta").string()};
    }
    void Finish() {
        std::ofstream names(Names_file("names.txt"));
        for (const std::string& path : paths_) {
            names << path << '\n';
        }
        if (ourOperands_.empty()) {
            ourOperands_ = paths_;
        }
    }

    const std::vector<std::string>& Paths() const { return paths_; }
    const std::vector<std::string>& Our_operands() const { return ourOperands_; }
    fs::path Names_file(const char* name) const { return folder_ / name; }
    fs::path Archive(const char* name) const { return folder_ / name; }

  private:
    fs::path folder_;
    std::vector<std::string> paths_;
    std::vector<std::string> ourOperands_;
};

std::unique_ptr<MemberSet> Mixed_members() {
    constexpr std::size_t kMembers = 20;
    auto set = std::make_unique<MemberSet>("mixed");
    std::mt19937_64 random(1);
    const std::size_t size = megabytes * 1000 * 1000 / kMembers;
    for (std::size_t i = 0; i < kMembers; ++i) {
        set->Add("member" + std::to_string(i) + ".pbo",
                 i % 2 == 0 ? Text_bytes(size, random) : Random_bytes(size, random));
    }
    set->Finish();
    return set;
}

// Text files of 1 to 16 KiB, as info files and small configs are.
std::unique_ptr<MemberSet> Small_members() {
    auto set = std::make_unique<MemberSet>("small");
    std::mt19937_64 random(2);
    for (std::size_t i = 0; i < smallFiles; ++i) {
        set->Add("file" + std::to_string(i) + ".txt", Text_bytes(1024 + random() % 15360, random));
    }
    set->Use_list_file();
    set->Finish();
    return set;
}

// One sparse member: each MiB opens with 64 KiB of text and 64 KiB of random bytes, as a
// member's own content; the rest are zeros.
std::unique_ptr<MemberSet> Zero_members() {
    constexpr std::size_t kMiB = 1 << 20;
    auto set = std::make_unique<MemberSet>("zeros");
    const fs::path path = set->Add("zeros.pbo", "");
    std::mt19937_64 random(3);
    {
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        for (std::size_t at = 0; at < zeroMegabytes; ++at) {
            file.seekp(static_cast<std::streamoff>(at * kMiB));
            file << Text_bytes(64 << 10, random) << Random_bytes(64 << 10, random);
        }
    }
    fs::resize_file(path, zeroMegabytes * kMiB);
    set->Finish();
    return set;
}

// What one comparison found, for the summary.
struct Outcome {
    std::string what;
    double timeGoal = 0;
    double timeRatio = 0;
    double sizeRatio = 0;
    double peakMiB = 0;
};
std::vector<Outcome> outcomes;

void Add_pigz_counters(benchmark::State& state, const MemberSet& set, double zipSeconds) {
    const std::string cores = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::string> argv = {"pigz", "-9", "-p", cores, "-c"};
    argv.insert(argv.end(), set.Paths().begin(), set.Paths().end());
    double seconds = 0;
    for (int i = 0; i < kRepeats; ++i) {
        seconds += Spawn(argv, "", set.Archive("pigz.gz")).seconds;
    }
    state.counters["pigz_time_vs_zip"] = seconds / zipSeconds;
    state.counters["pigz_size_vs_zip"] =
        static_cast<double>(fs::file_size(set.Archive("pigz.gz"))) /
        static_cast<double>(fs::file_size(set.Archive("zip.zip")));
}

void Compare_with_zip(benchmark::State& state, const std::string& what, double timeGoal,
                      const std::function<std::unique_ptr<MemberSet>()>& make, bool withPigz) {
    const std::unique_ptr<MemberSet> set = make();
    const fs::path ours = set->Archive("ours.zip");
    const fs::path theirs = set->Archive("zip.zip");
    std::vector<std::string> ourArgv = {BRELVIK_PACK_PROGRAM, "-ex", ours.string()};
    ourArgv.insert(ourArgv.end(), set->Our_operands().begin(), set->Our_operands().end());
    Run mine;
    Run zip;
    for (auto _ : state) {
        fs::remove(ours);
        fs::remove(theirs);
        const Run zipRun = Spawn({"zip", "-9", "-j", "-q", theirs.string(), "-@"},
                                 set->Names_file("names.txt"), "");
        const Run ourRun = Spawn(ourArgv, "", "");
        zip.seconds += zipRun.seconds;
        zip.cpuSeconds += zipRun.cpuSeconds;
        zip.peakMiB = std::max(zip.peakMiB, zipRun.peakMiB);
        mine.seconds += ourRun.seconds;
        mine.cpuSeconds += ourRun.cpuSeconds;
        mine.peakMiB = std::max(mine.peakMiB, ourRun.peakMiB);
        state.SetIterationTime(ourRun.seconds);
    }
    const Outcome outcome{
        what, timeGoal, mine.seconds / zip.seconds,
        static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs)),
        mine.peakMiB};
    state.counters["time_vs_zip"] = outcome.timeRatio;
    state.counters["size_vs_zip"] = outcome.sizeRatio;
    // Processor time shows what the parallel pack costs beyond zip's, when other load on the
    // machine keeps the wall time from showing the cores' gain.
    state.counters["cpu_vs_zip"] = mine.cpuSeconds / zip.cpuSeconds;
    state.counters["peak_MiB"] = mine.peakMiB;
    state.counters["zip_peak_MiB"] = zip.peakMiB;
    if (withPigz) {
        Add_pigz_counters(state, *set, zip.seconds);
    }
    outcomes.push_back(outcome);
}

const char* Holds(bool holds) {
    return holds ? "holds" : "MISSED";
}

void Print_summary() {
    std::printf("\nGoals against zip -9 (%u cores):\n", std::thread::hardware_concurrency());
    for (const Outcome& o : outcomes) {
        std::printf(
            "  %-28s time %.3fx (<= %.2fx %s)  size %.5fx (<= %.3fx %s)  peak %.1f MiB "
            "(<= %.0f %s)\n",
            o.what.c_str(), o.timeRatio, o.timeGoal, Holds(o.timeRatio <= o.timeGoal), o.sizeRatio,
            kSizeGoal, Holds(o.sizeRatio <= kSizeGoal), o.peakMiB, kPeakGoalMiB,
            Holds(o.peakMiB <= kPeakGoalMiB));
    }
}

void Register() {
    const auto add = [](const std::string& name, const std::string& what, double goal,
                        std::function<std::unique_ptr<MemberSet>()> make, bool withPigz) {
        benchmark::RegisterBenchmark(
            name.c_str(),
            [=](benchmark::State& state) { Compare_with_zip(state, what, goal, make, withPigz); })
            ->UseManualTime()
            ->Unit(benchmark::kSecond)
            ->Iterations(kRepeats);
    };
    add("BM_PackMixedBesideZip", std::to_string(megabytes) + " MB mixed", 0.6, Mixed_members, true);
    add("BM_PackSmallFilesBesideZip", std::to_string(smallFiles) + " small files by list", 0.6,
        Small_members, false);
    add("BM_PackMostlyZerosBesideZip", std::to_string(zeroMegabytes) + " MiB mostly zeros", 0.5,
        Zero_members, false);
}

}  // namespace
}  // namespace brelvik

int main(int argc, char** argv) {
    if (argc > 2 && std::strncmp(argv[1], "--measure=", 10) == 0) {
        return brelvik::Measure(argv[1] + 10, argv + 2);
    }
    const std::pair<const char*, std::size_t*> sizes[] = {{"--mb=", &brelvik::megabytes},
                                                          {"--files=", &brelvik::smallFiles},
                                                          {"--zeros-mb=", &brelvik::zeroMegabytes}};
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        bool taken = false;
        for (const auto& [flag, value] : sizes) {
            if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) {
                *value = std::strtoul(argv[i] + std::strlen(flag), nullptr, 10);
                taken = true;
            }
        }
        if (!taken) {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    ::setenv("BRELVIK_PACK_NO_WINDOW", "1", 1);
    brelvik::Register();
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    brelvik::Print_summary();
}
