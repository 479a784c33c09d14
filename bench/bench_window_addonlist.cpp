// The Addonlist in the window at a tenth of a box's limit and at the limit, in the same run:
// Refresh_list (through "Load Addonlist") and Refresh_addonslist (through the double-click that
// removes an other file), each with both boxes full; and adding an add-on to a list of 10,000.
// Each iteration ends when the boxes are sorted and drawn. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/qt/qt_window.h"
#include "bench/bench_timing.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "tests/fake_desktop.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

constexpr int kSmall = 3276;
constexpr int kLarge = SortedListBox::kMaxEntries;

// The window on the Addonlist tab, over a settings store and list files of its own.
class ListWindow {
  public:
    ListWindow() : window_(registry_, files_, desktop_) {
        window_.SSTab1->Bar()->setCurrentIndex(2);
        window_.show();
        if (!QTest::qWaitForWindowExposed(&window_)) {
            std::fprintf(stderr, "the window was not shown\n");
        }
    }

    // A list file of add-ons with their info files and other files, entries per box as given.
    std::wstring List_file(int addonEntries, int otherEntries) {
        const std::filesystem::path path = temp_ / ("list" + std::to_string(addonEntries) + "-" +
                                                    std::to_string(otherEntries) + ".txta");
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; i < addonEntries; ++i) {
            file << "/home/author/veldrun/addons/addon_" << i / 2 << (i % 2 ? ".txt" : ".pbo")
                 << "\r\n";
        }
        file << "\r\n/others/";
        for (int i = 0; i < otherEntries; ++i) {
            file << "\r\n/home/author/veldrun/docs/readme_" << i << ".doc";
        }
        return From_utf8(path.native()).value();
    }

    void Load(const std::wstring& listFile) {
        desktop_.answers.push_back(listFile);
        QTest::mouseClick(window_.Command6, Qt::LeftButton);
        QApplication::processEvents();
    }

    QtWindow& operator*() { return window_; }
    QtWindow* operator->() { return &window_; }
    const test::TempFolder& Temp() const { return temp_; }

  private:
    test::TempFolder temp_;
    RegAccess registry_{temp_ / "registry.reg"};
    FileAccess files_;
    test::FakeDesktop desktop_;
    QtWindow window_;
};

// Times one step at both sizes in every iteration; "large_vs_small" is how many times longer
// ten times the entries take (goal: at most 15), the iteration time the large step's.
template <class Prepare, class Step>
void Run_sizes(benchmark::State& state, ListWindow& window, Prepare prepare, Step step) {
    const std::wstring small = window.List_file(kSmall, kSmall);
    const std::wstring large = window.List_file(kLarge, kLarge);
    double smallSeconds = 0, largeSeconds = 0;
    for (auto _ : state) {
        prepare(small);
        smallSeconds += Seconds([&] { step(small); });
        prepare(large);
        const double seconds = Seconds([&] { step(large); });
        largeSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["small_ms"] = 1000 * smallSeconds / iterations;
    state.counters["large_ms"] = 1000 * largeSeconds / iterations;
    state.counters["large_vs_small"] = largeSeconds / smallSeconds;
}

void BM_RefreshList(benchmark::State& state) {
    ListWindow window;
    const std::wstring empty = window.List_file(0, 0);
    Run_sizes(
        state, window, [&](const std::wstring&) { window.Load(empty); },
        [&](const std::wstring& list) { window.Load(list); });
}
BENCHMARK(BM_RefreshList)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RefreshAddonslist(benchmark::State& state) {
    ListWindow window;
    Run_sizes(
        state, window,
        [&](const std::wstring& list) {
            window.Load(list);
            window->filelist->Set_list_index(0);
        },
        [&](const std::wstring&) {
            window->filelist->onDblClick();
            QApplication::processEvents();
        });
}
BENCHMARK(BM_RefreshAddonslist)->UseManualTime()->Unit(benchmark::kMillisecond);

// Adding one add-on to a list of 10,000 beside loading that list, the whole refresh it needs.
void BM_File1DblClickOn10000Addons(benchmark::State& state) {
    ListWindow window;
    const std::filesystem::path folder = window.Temp() / "addons";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "new.pbo");
    window->Dir1->Set_path(From_utf8(folder.native()).value());
    const std::wstring list = window.List_file(20000, 0);
    FileBox* files = window->File1;
    double subject = 0, baseline = 0;
    for (auto _ : state) {
        baseline += Seconds([&] { window.Load(list); });
        files->clearSelection();
        files->setCurrentIndex(files->model()->index(0, 0));  // File1_Click
        const double took = Seconds([&] {
            files->onDblClick();
            QApplication::processEvents();
        });
        subject += took;
        state.SetIterationTime(took);
    }
    state.counters["entries"] = window->AddonList->List_count();
    state.counters["load_ms"] = 1000 * baseline / static_cast<double>(state.iterations());
    state.counters["vs_load"] = subject / baseline;
}
BENCHMARK(BM_File1DblClickOn10000Addons)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brelvik

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
