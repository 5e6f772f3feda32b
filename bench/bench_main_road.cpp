// The main road on the large sample (tests/data/threaded_large.tvl: 200 cards, 5,000 picks),
// in one run of the program's own start-up on Qt's offscreen platform:
// - start-up: from the start of main to the threaded-in editor shown with its band drawn,
//   the file opened from the command line as the program opens it;
// - one pick added from the card frames and shown: the pick made, both sides of the band
//   woven again, the pick lists and the image repainted;
// - saving the pattern file;
// - the memory of the running program.
// After the run a summary gives each figure against its target. The sample may be named as
// the first argument; otherwise it is looked for next to this source.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_report.h"
#include "editors/editors_registration.h"
#include "editors/threaded_editor.h"
#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/core/bitmap.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "shell/main_window.h"
#include "shell/program_start.h"

namespace {

using bench::Fixed;
using bench::PadRight;
using Clock = std::chrono::steady_clock;

constexpr double TargetStartMs = 1000;
constexpr double TargetPickMs = 50;
constexpr double TargetMemoryMb = 300;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// What the screen shows after a change: the posted work, the pending paints, the peers.
void Show()
{
    fw::ProcessPostedMessages();
    fw::PaintPendingControls();
    fw::SyncQtPeers();
    QApplication::processEvents();
}

TfrmTWThreadedPattern* Editor()
{
    return frmTWMain != nullptr ? dynamic_cast<TfrmTWThreadedPattern*>(frmTWMain->ActiveMDIChild()) : nullptr;
}

std::filesystem::path ScratchFolder()
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavelin_bench_main_road";
    std::filesystem::create_directories(folder);
    return folder;
}

void BM_AddPickAndShow(benchmark::State& state)
{
    TfrmTWThreadedPattern* editor = Editor();
    if (editor == nullptr) {
        state.SkipWithError("no editor");
        return;
    }
    for (auto _ : state) {
        editor->DoPick(false);
        Show();
    }
    state.counters["picks"] = editor->Pattern()->Picks().Count();
}
BENCHMARK(BM_AddPickAndShow)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);

void BM_SavePattern(benchmark::State& state)
{
    TfrmTWThreadedPattern* editor = Editor();
    if (editor == nullptr) {
        state.SkipWithError("no editor");
        return;
    }
    const std::string file = (ScratchFolder() / "saved.tvl").string();
    for (auto _ : state) {
        editor->Pattern()->SaveToFile(file);
    }
}
BENCHMARK(BM_SavePattern)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the fastest time of each benchmark, in milliseconds, and the slowest of the picks.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) {
                continue;
            }
            const double ms = run.GetAdjustedRealTime();
            const std::string name = run.benchmark_name();
            double& best = fastest[name.substr(0, name.find('/'))];
            best = best == 0 ? ms : std::min(best, ms);
            double& worst = slowest[name.substr(0, name.find('/'))];
            worst = std::max(worst, ms);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> fastest;
    std::map<std::string, double> slowest;
};

void Line(const std::string& label, double value, const std::string& unit, double target)
{
    std::cout << "  " << PadRight(label, 40) << bench::PadLeft(Fixed(value, 1), 9) << " " << PadRight(unit, 3)
              << " (target: below " << Fixed(target, 0) << " " << unit << ", " << (value < target ? "met" : "MISSED")
              << ")\n";
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    std::filesystem::path sample = std::filesystem::path(__FILE__).parent_path().parent_path() / "tests" / "data"
                                   / "threaded_large.tvl";
    if (argc > 1 && argv[1][0] != '-') {
        sample = argv[1];
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    char name[] = "bench_main_road";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);

    // The program's start, as RunTavelin makes it, on a folder of its own for the settings.
    fw::App().SetCommandLine(std::vector<std::string>{"tavelin", sample.string()});
    auto libraries = std::make_unique<TTWProgramLibraries>(ScratchFolder());
    UserSettings().System.CheckTVLReg = false;
    RegisterShellModules();
    RegisterEditors();
    // Closing asks; the benchmark answers Yes at the end.
    fw::SetMessageBoxHandler([](const fw::MessageBoxRequest&) { return fw::mrYes; });
    TfrmTWMain& main = CreateProgramWindows(&fw::App());
    main.SetBounds(0, 0, 1280, 900);
    main.Show();
    Show();
    TfrmTWThreadedPattern* editor = Editor();
    if (editor == nullptr || editor->Pattern()->Picks().Count() == 0) {
        std::cerr << "The sample " << sample << " did not open.\n";
        return 1;
    }
    // The band is drawn when the view's picture holds the woven cells, not only its background.
    const fw::Bitmap shown = fw::RenderToBitmap(*editor->frmImage->imgWeaving);
    const double startMs = MillisecondsSince(start);
    const bool drawn = !shown.Empty() && shown.Pixel(shown.Width() / 4, shown.Height() / 2)
                                             != UserSettings().General.BackColour;
    const std::size_t startResident = bench::ProcStatus("VmRSS");

    benchmark::Initialize(&argc, argv);
    CapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const std::size_t peakResident = bench::ProcStatus("VmHWM");

    const int picks = editor->Pattern()->Picks().Count();
    std::cout << "\nThe main road on " << sample.filename().string() << " (" << editor->Pattern()->Cards().Count()
              << " cards, " << picks << " picks at the end):\n";
    Line("start-up to the band shown", startMs, "ms", TargetStartMs);
    if (!drawn) {
        std::cout << "  (the band was NOT drawn at start-up)\n";
    }
    Line("one pick added and shown (best mean)", reporter.fastest["BM_AddPickAndShow"], "ms", TargetPickMs);
    Line("one pick added and shown (worst mean)", reporter.slowest["BM_AddPickAndShow"], "ms", TargetPickMs);
    std::cout << "  " << PadRight("saving the pattern", 40) << bench::PadLeft(Fixed(reporter.fastest["BM_SavePattern"], 1), 9)
              << " ms\n";
    Line("memory after start-up (resident)", static_cast<double>(startResident) / (1024.0 * 1024.0), "MB",
         TargetMemoryMb);
    Line("memory at its peak (resident)", static_cast<double>(peakResident) / (1024.0 * 1024.0), "MB", TargetMemoryMb);

    // The windows go as the program's end frees them.
    fw::App().FreeComponents();
    fw::ProcessPostedMessages();
    libraries.reset();
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
    return 0;
}
