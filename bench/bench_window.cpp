// The window's costs beside a baseline measured in the same run: start-up beside a bare window,
// a folder change into 100,000 files beside a bare directory scan, and loading an info file
// with a 10 MB readme. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

#include "app/qt/qt_window.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "tests/fake_desktop.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds_of(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A window over a settings store of its own in a temporary folder.
struct Bench {
    test::TempFolder temp;
    RegAccess registry{temp / "registry.reg"};
    FileAccess files;
    test::FakeDesktop desktop;

    std::unique_ptr<QtWindow> Window() {
        return std::make_unique<QtWindow>(registry, files, desktop);
    }
    std::wstring Folder(const std::string& name) {
        std::filesystem::create_directories(temp / name);
        return From_utf8((temp / name).native()).value();
    }
};

void Report(benchmark::State& state, double subject, double baseline) {
    state.counters["baseline_ms"] = 1000 * baseline / static_cast<double>(state.iterations());
    state.counters["ratio"] = subject / baseline;
}

// Start-up is timed as a user sees it: from starting the program to its window on screen, the
// whole process each time, beside a program that shows a bare window of the same size.
double Seconds_to_show(const char* what) {
    return Seconds_of([what] {
        char self[] = "/proc/self/exe";
        char* const arguments[] = {self, const_cast<char*>(what), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, self, nullptr, nullptr, arguments, environ) == 0) {
            waitpid(child, nullptr, 0);
        }
    });
}

void BM_StartupToShownWindow(benchmark::State& state) {
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        baseline += Seconds_to_show("--show=bare");
        const double took = Seconds_to_show("--show=window");
        subject += took;
        state.SetIterationTime(took);
    }
    Report(state, subject, baseline);
}
BENCHMARK(BM_StartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// The program started by the start-up benchmark: shows one window and ends.
int Show_and_end(int argc, char* argv[], bool bare) {
    QApplication application(argc, argv);
    Bench bench;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(567, 454);
    } else {
        window = bench.Window();
    }
    window->show();
    const bool shown = QTest::qWaitForWindowExposed(window.get());
    QApplication::processEvents();  // the first paint
    return shown ? 0 : 1;
}

void BM_FolderChangeInto100000Files(benchmark::State& state) {
    Bench bench;
    const std::wstring small = bench.Folder("small");
    const std::wstring big = bench.Folder("big");
    for (int i = 0; i < 100000; ++i) {
        std::ofstream(bench.temp / "big" /
                      ("addon" + std::to_string(i) + (i % 2 ? ".pbo" : ".txt")));
    }
    const std::unique_ptr<QtWindow> window = bench.Window();
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        baseline += Seconds_of([&] {
            std::size_t names = 0;
            for (const auto& entry : std::filesystem::directory_iterator(bench.temp / "big")) {
                names += entry.path().filename().native().size();
            }
            benchmark::DoNotOptimize(names);
        });
        window->Dir1->Set_path(small);
        const double took = Seconds_of([&] { window->Dir1->Set_path(big); });
        subject += took;
        state.SetIterationTime(took);
    }
    state.counters["listed"] = window->File1->model()->rowCount();
    Report(state, subject, baseline);
}
BENCHMARK(BM_FolderChangeInto100000Files)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SelectAddonWith10MbReadme(benchmark::State& state) {
    Bench bench;
    const std::wstring folder = bench.Folder("addons");
    std::string info;
    while (info.size() < 10'000'000) {
        info += "A line of the readme, as an author would write it about the add-on.\r\n";
    }
    info +=
        "\r\n\r\n" + std::string(53, '=') + "\r\nDIZUV Information\r\n/x/unitsTank/x/reqversion1.9";
    std::ofstream(bench.temp / "addons" / "tank.txt", std::ios::binary) << info;
    std::ofstream(bench.temp / "addons" / "jeep.pbo");
    std::ofstream(bench.temp / "addons" / "tank.pbo");
    const std::unique_ptr<QtWindow> window = bench.Window();
    window->Dir1->Set_path(folder);
    FileBox* list = window->File1;
    for (auto _ : state) {
        list->setCurrentIndex(list->model()->index(0, 0));  // jeep.pbo: no info file
        const double took = Seconds_of([&] { list->setCurrentIndex(list->model()->index(1, 0)); });
        state.SetIterationTime(took);
    }
    state.counters["readme_chars"] = static_cast<double>(window->Text7->Text().size());
}
BENCHMARK(BM_SelectAddonWith10MbReadme)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brelvik

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::string_view(argv[1]).starts_with("--show=")) {
        return brelvik::Show_and_end(argc, argv, std::string_view(argv[1]) == "--show=bare");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
