// Loading an info file whose text is one line without a break opportunity, beside loading the
// same number of bytes as short lines, into the readme, the units box and a single-line box in
// view: the longest single event, the whole time until the text is in, and the peak memory.
// Sizes 256 KiB and 2 MiB, the largest accepted file. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/qt/qt_window.h"
#include "bench/bench_timing.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "tests/fake_desktop.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

// Times every event the window handles; nested events count within the outer one.
class TimedApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        bool handled = false;
        longest =
            std::max(longest, Seconds([&] { handled = QApplication::notify(receiver, event); }));
        --depth_;
        return handled;
    }

    double longest = 0;

  private:
    int depth_ = 0;
};

enum Box { kReadme, kUnits, kVersion };
enum Shape { kOneLine, kShortLines };

// An info file of the given size whose field holds all but the few bytes of the frame.
std::string Info_file(Box box, Shape shape, std::size_t size) {
    const std::string head = "\r\n\r\n" + std::string(53, '=') + "\r\nDIZUV Information\r\n";
    const std::string tags = "/x/unitsTank/x/reqversion1.9";
    const std::size_t length = size - head.size() - tags.size() - std::string("/x/version").size();
    std::string text;
    if (shape == kOneLine) {
        text.assign(length, 'x');
    } else {
        while (text.size() < length) {
            text += std::string(62, 'x') + "\r\n";
        }
        text.resize(length);
    }
    switch (box) {
        case kReadme:
            return text + head + tags + "/x/version";
        case kUnits:
            return head + "/x/version/x/units" + text + "/x/reqversion1.9";
        default:
            return head + tags + "/x/version" + text;
    }
}

// Peak resident memory since the last reset, in MiB.
double Peak_mib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stod(line.substr(6)) / 1024;
        }
    }
    return 0;
}

void Reset_peak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Measure {
    double longestEvent = 0, total = 0, peak = 0;
    std::size_t loaded = 0;  // characters the box holds afterwards
};

Measure Load(Box box, Shape shape, std::size_t size) {
    auto& application = static_cast<TimedApplication&>(*QApplication::instance());
    test::TempFolder temp;
    std::ofstream(temp / "tank.txt", std::ios::binary) << Info_file(box, shape, size);
    std::ofstream(temp / "tank.pbo");
    RegAccess registry(temp / "registry.reg");
    FileAccess files;
    test::FakeDesktop desktop;
    Measure measure;
    {
        QtWindow window(registry, files, desktop);
        window.SSTab1->Bar()->setCurrentIndex(box == kReadme ? 1 : 0);
        window.show();
        window.Dir1->Set_path(From_utf8(temp.Path().native()).value());
        QApplication::processEvents();
        Reset_peak();
        application.longest = 0;
        FileBox* list = window.File1;
        const QPoint spot = list->visualRect(list->model()->index(0, 0)).center();
        measure.total = Seconds([&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, spot);
            const auto busy = [&] {
                return window.Text7->isReadOnly() || window.Text1->isReadOnly();
            };
            while (busy()) {
                QApplication::processEvents();
            }
            QApplication::processEvents();  // the last paint
        });
        measure.longestEvent = application.longest;
        measure.loaded = (box == kReadme  ? window.Text7->Text()
                          : box == kUnits ? window.Text1->Text()
                                          : window.Text5->Text())
                             .size();
        measure.peak = Peak_mib();
    }
    return measure;
}

// Arguments: box, size in KiB. Counters for the one line, and for short lines as the baseline.
void BM_LoadLongLine(benchmark::State& state) {
    const auto box = static_cast<Box>(state.range(0));
    const auto size = static_cast<std::size_t>(state.range(1)) << 10;
    Measure line, lines;
    for (auto _ : state) {
        lines = Load(box, kShortLines, size);
        line = Load(box, kOneLine, size);
        state.SetIterationTime(line.total);
    }
    state.counters["longest_event_ms"] = 1000 * line.longestEvent;
    state.counters["short_lines_longest_event_ms"] = 1000 * lines.longestEvent;
    state.counters["ratio"] = line.total / lines.total;
    state.counters["peak_MiB"] = line.peak;
    state.counters["loaded_chars"] = static_cast<double>(line.loaded);
    state.counters["short_lines_peak_MiB"] = lines.peak;
}
BENCHMARK(BM_LoadLongLine)
    ->ArgNames({"box", "KiB"})
    ->ArgsProduct({{kReadme, kUnits, kVersion}, {256, 2 << 10}})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brelvik

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    brelvik::TimedApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
