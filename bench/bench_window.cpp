// The window's costs as a user waits for them, with the window shown and timed to the paint
// that follows, beside a baseline measured in the same run: start-up to the first paint beside
// a bare window with the same four-tab tab widget (goal 1.25x), and with 100,000 add-ons in the
// restored folder beside start-up plus one folder change (goal 1.3x); a folder change into
// 100,000 add-ons beside readdir plus a sort of the names (goal 2x); the first view of the
// Readme tab for a 1 MB and for the largest accepted (2 MiB) readme, with peak memory beside the
// file size (goal 4x). Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/qt/qt_window.h"
#include "bench/bench_timing.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "tests/fake_desktop.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

namespace fs = std::filesystem;

constexpr int kManyAddons = 100'000;
constexpr int kWidth = 567;
constexpr int kHeight = 454;
const std::wstring kVeldrunKey = L"SOFTWARE\\Quorvane\\Veldrun";

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { widget_->removeEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

  private:
    QWidget* widget_;
};

// Runs work, then the events until widget is painted: what a user waits for.
double Seconds_to_paint(QWidget* widget, const std::function<void()>& work) {
    PaintCounter counter(widget);
    return Seconds([&] {
        work();
        QElapsedTimer waited;
        waited.start();
        while (counter.paints == 0 && waited.elapsed() < 60'000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    });
}

// Resident memory of this process: now, and at its peak since the last reset.
double Status_MiB(std::string_view field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stod(line.substr(field.size())) / 1024;
        }
    }
    return 0;
}
void Reset_peak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Folders of add-ons and settings stores that restore them, made once per run.
struct Fixture {
    test::TempFolder temp;
    FileAccess files;
    test::FakeDesktop desktop;
    RegAccess registry{temp / "registry.reg"};
    fs::path small = Make_folder("small", 3);
    fs::path many = Make_folder("many", kManyAddons);
    fs::path smallStore = Store_restoring("small.reg", small);
    fs::path manyStore = Store_restoring("many.reg", many);
    double folderChangeSeconds = 0;  // into many, measured by the folder change benchmark

    fs::path Make_folder(const std::string& name, int addons) {
        fs::create_directories(temp / name);
        for (int i = 0; i < addons; ++i) {
            std::ofstream(temp / name / ("addon" + std::to_string(i) + ".pbo"));
        }
        return temp / name;
    }
    fs::path Store_restoring(const std::string& name, const fs::path& folder) {
        RegAccess store(temp / name);
        store.Write_setting(kHkeyLocalMachine, kVeldrunKey, L"VDRFC",
                            From_utf8(folder.native()).value(), kRegSz);
        return temp / name;
    }
    std::unique_ptr<QtWindow> Shown_window() {
        auto window = std::make_unique<QtWindow>(registry, files, desktop);
        Seconds_to_paint(window.get(), [&] { window->show(); });
        return window;
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void Report(benchmark::State& state, double subject, double baseline) {
    state.counters["baseline_ms"] = 1000 * baseline / static_cast<double>(state.iterations());
    state.counters["ratio"] = subject / baseline;
}

struct Started {
    double seconds = 0;
    double peakMiB = 0;
};

// Start-up as a user sees it: from starting the program to the first paint of its window, a
// whole process each time. The child ends at that paint, before any teardown.
Started Start(const std::string& what, const fs::path& store = {}) {
    char self[] = "/proc/self/exe";
    std::string mode = "--show=" + what;
    std::string storeText = store.string();
    char* const arguments[] = {self, mode.data(), storeText.data(), nullptr};
    // The child says its own peak: the system's count for a child includes its parent's.
    const fs::path peak = Shared().temp / "peak";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, peak.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Started started;
    started.seconds = Seconds([&] {
        pid_t child = 0;
        if (posix_spawn(&child, self, &actions, nullptr, arguments, environ) == 0) {
            waitpid(child, nullptr, 0);
        }
    });
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream(peak) >> started.peakMiB;
    return started;
}

// The program started by the start-up benchmark: shows one window and ends at its first paint.
int Show_and_end(int argc, char* argv[]) {
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (std::string_view(argv[1]) == "--show=bare") {
        window = std::make_unique<QWidget>();
        window->setFixedSize(kWidth, kHeight);
        auto* tabs = new QTabWidget(window.get());
        for (const char* caption : {"Addon Information", "Readme", "Addonlist", "Pack Addon"}) {
            tabs->addTab(new QWidget, caption);
        }
        tabs->setGeometry(8, 8, kWidth - 16, kHeight - 16);
    } else {
        static RegAccess registry{fs::path(argv[2])};
        static FileAccess files;
        static test::FakeDesktop desktop;
        window = std::make_unique<QtWindow>(registry, files, desktop);
    }
    Seconds_to_paint(window.get(), [&] { window->show(); });
    std::printf("%f\n", Status_MiB("VmHWM:"));
    std::fflush(stdout);
    _exit(0);
}

void BM_FolderChangeInto100000Addons(benchmark::State& state) {
    Fixture& fixture = Shared();
    const std::unique_ptr<QtWindow> window = fixture.Shown_window();
    const std::wstring small = From_utf8(fixture.small.native()).value();
    const std::wstring many = From_utf8(fixture.many.native()).value();
    Reset_peak();
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        baseline += Seconds([&] {
            std::vector<std::string> names;
            const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(fixture.many.c_str()),
                                                          ::closedir);
            while (const dirent* entry = ::readdir(dir.get())) {
                names.emplace_back(entry->d_name);
            }
            std::sort(names.begin(), names.end());
            benchmark::DoNotOptimize(names.data());
        });
        Seconds_to_paint(window->File1->viewport(), [&] { window->Dir1->Set_path(small); });
        const double took =
            Seconds_to_paint(window->File1->viewport(), [&] { window->Dir1->Set_path(many); });
        subject += took;
        state.SetIterationTime(took);
    }
    fixture.folderChangeSeconds = subject / static_cast<double>(state.iterations());
    state.counters["listed"] = window->File1->model()->rowCount();
    state.counters["peak_MiB"] = Status_MiB("VmHWM:");
    Report(state, subject, baseline);
}
BENCHMARK(BM_FolderChangeInto100000Addons)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_StartupToFirstPaint(benchmark::State& state) {
    Fixture& fixture = Shared();
    Started bare, small, many;
    for (auto _ : state) {
        const Started runs[] = {Start("bare"), Start("window", fixture.smallStore),
                                Start("window", fixture.manyStore)};
        for (auto [sum, run] : {std::pair{&bare, runs[0]}, {&small, runs[1]}, {&many, runs[2]}}) {
            sum->seconds += run.seconds;
            sum->peakMiB = std::max(sum->peakMiB, run.peakMiB);
        }
        state.SetIterationTime(runs[1].seconds);
    }
    const double n = static_cast<double>(state.iterations());
    Report(state, small.seconds, bare.seconds);
    state.counters["peak_MiB"] = small.peakMiB;
    state.counters["bare_peak_MiB"] = bare.peakMiB;
    state.counters["many_ms"] = 1000 * many.seconds / n;
    state.counters["many_peak_MiB"] = many.peakMiB;
    // Needs the folder change benchmark in the same run.
    if (fixture.folderChangeSeconds > 0) {
        state.counters["many_vs_start_plus_change"] =
            many.seconds / (small.seconds + n * fixture.folderChangeSeconds);
    }
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The first view of the Readme tab as a user does it: the tab in front, the add-on selected,
// until the readme is painted.
void BM_ReadmeFirstView(benchmark::State& state) {
    Fixture& fixture = Shared();
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const test::TempFolder folder;
    std::string info;
    while (info.size() + 200 < size) {
        info += "A line of the readme, as an author would write it about the add-on.\r\n";
    }
    info +=
        "\r\n\r\n" + std::string(53, '=') + "\r\nDIZUV Information\r\n/x/unitsTank/x/reqversion1.9";
    std::ofstream(folder / "tank.txt", std::ios::binary) << info;
    std::ofstream(folder / "jeep.pbo");
    std::ofstream(folder / "tank.pbo");
    const std::unique_ptr<QtWindow> window = fixture.Shown_window();
    window->SSTab1->Bar()->setCurrentIndex(1);
    window->Dir1->Set_path(From_utf8(folder.Path().native()).value());
    FileBox* list = window->File1;
    QWidget* readme = window->Text7;
    const double before = Status_MiB("VmRSS:");
    Reset_peak();
    for (auto _ : state) {
        Seconds_to_paint(readme, [&] { list->setCurrentIndex(list->model()->index(0, 0)); });
        state.SetIterationTime(
            Seconds_to_paint(readme, [&] { list->setCurrentIndex(list->model()->index(1, 0)); }));
    }
    state.counters["file_MB"] = static_cast<double>(info.size()) / 1e6;
    state.counters["peak_vs_file"] =
        (Status_MiB("VmHWM:") - before) * (1 << 20) / static_cast<double>(info.size());
    state.counters["readme_chars"] = static_cast<double>(window->Text7->Text().size());
}
BENCHMARK(BM_ReadmeFirstView)
    ->Arg(1'000'000)
    ->Arg(2 << 20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace brelvik

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string_view(argv[1]).starts_with("--show=")) {
        return brelvik::Show_and_end(argc, argv);
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
