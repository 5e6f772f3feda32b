// The main road on the large sample (tests/data/threaded_large.tvl: 200 cards, 5,000 picks)
// and on longer bands made from it by repeating its picks (20,000 and 100,000 picks), each in
// a run of the program's own start-up on Qt's offscreen platform:
// - start-up: from the start of main to the threaded-in editor shown with its band drawn,
//   the file opened from the command line as the program opens it;
// - one pick added from the card frames and shown: the pick made, the band woven again, the
//   pick lists and the image repainted;
// - saving the pattern file;
// - the memory of the running program.
// Each band is measured in a process of its own, so that the memory figures of one do not
// carry what another left behind; this program starts itself once per band
// (--band-picks=N, 0 for the sample as it is) and then sets the figures side by side, each
// against its target. The sample may be named as the first argument; otherwise it is looked
// for next to this source.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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
#include "model/pattern_change.h"
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
// The longer bands: one pick added and shown on 20,000 picks within TargetLongPickMs, on
// 100,000 within TargetLongestPickRatio times the sample's time; the peak on 20,000 picks
// below TargetLongPeakMb.
constexpr int LongBandPicks = 20'000;
constexpr int LongestBandPicks = 100'000;
constexpr double TargetLongPickMs = 8;
constexpr double TargetLongestPickRatio = 1.5;
constexpr double TargetLongPeakMb = 200;
constexpr std::string_view BandPicksOption = "--band-picks=";
// The line a run for one band ends with, read by the run that started it.
constexpr std::string_view FiguresTag = "FIGURES";

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
    // One folder per process: the runs for the bands follow one another, but the settings
    // and saved files of one must never be what the next one finds.
    std::filesystem::path folder = std::filesystem::temp_directory_path()
                                   / ("tavelin_bench_main_road_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

// A copy of the sample whose picks are repeated, in order, until the band has that many.
std::filesystem::path MakeLongBand(const std::filesystem::path& sample, int picks)
{
    const std::filesystem::path file = ScratchFolder() / ("band_" + std::to_string(picks) + ".tvl");
    {
        TTWPattern pattern;
        pattern.LoadFromFile(sample.string());
        TTWPickList& list = pattern.Picks();
        const int original = list.Count();
        if (original == 0) {
            return sample;
        }
        while (list.Count() < picks) {
            list.Add()->Assign(list.Items(list.Count() % original));
        }
        pattern.SaveToFile(file.string());
    }
    // What the making of the file left resident is given back, so that the program's own
    // memory is what the figures show.
    malloc_trim(0);
    return file;
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

// One pick put in three quarters along the band: the band is woven again from that pick on.
void BM_InsertPickAtThreeQuartersAndShow(benchmark::State& state)
{
    TfrmTWThreadedPattern* editor = Editor();
    if (editor == nullptr) {
        state.SkipWithError("no editor");
        return;
    }
    TTWPickList& picks = editor->Pattern()->Picks();
    for (auto _ : state) {
        const int index = picks.Count() * 3 / 4;
        TTWPick* pick = picks.Add();
        pick->Assign(picks.Items(index));
        pick->SetIndex(index);
        editor->PatternChanged(TTWPatternChange::PicksRewritten(TTWPatternPart::None, index + 1));
        Show();
    }
}
BENCHMARK(BM_InsertPickAtThreeQuartersAndShow)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

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

// Keeps the fastest time of each benchmark, in milliseconds, the slowest, and the processor
// time of the fastest (which a machine busy with other work disturbs less than the time).
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
            if (best == ms) {
                fastestCpu[name.substr(0, name.find('/'))] = run.GetAdjustedCPUTime();
            }
            double& worst = slowest[name.substr(0, name.find('/'))];
            worst = std::max(worst, ms);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> fastest;
    std::map<std::string, double> fastestCpu;
    std::map<std::string, double> slowest;
};

// The figures of one band, as its run reports them.
struct BandFigures {
    int cards = 0;
    int picks = 0;
    double startMs = 0;
    bool drawn = false;
    double pickBestMs = 0;
    double pickWorstMs = 0;
    double pickCpuMs = 0;
    double insertMs = 0;
    double saveMs = 0;
    double residentMb = 0;
    double peakMb = 0;
};

std::string FiguresLine(const BandFigures& f)
{
    return std::string(FiguresTag) + " " + std::to_string(f.cards) + " " + std::to_string(f.picks) + " "
           + Fixed(f.startMs, 3) + " " + (f.drawn ? "1" : "0") + " " + Fixed(f.pickBestMs, 3) + " "
           + Fixed(f.pickWorstMs, 3) + " " + Fixed(f.pickCpuMs, 3) + " " + Fixed(f.insertMs, 3) + " " + Fixed(f.saveMs, 3) + " "
           + Fixed(f.residentMb, 3) + " " + Fixed(f.peakMb, 3);
}

std::optional<BandFigures> ParseFiguresLine(std::string_view line)
{
    // The console report may leave a colour code before it on the same line.
    const std::size_t tag = line.find(FiguresTag);
    if (tag == std::string_view::npos) {
        return std::nullopt;
    }
    line.remove_prefix(tag + FiguresTag.size());
    std::vector<double> values;
    while (!line.empty()) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\n')) {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            break;
        }
        double value = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc()) {
            return std::nullopt;
        }
        values.push_back(value);
        line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    }
    if (values.size() != 11) {
        return std::nullopt;
    }
    BandFigures f;
    f.cards = static_cast<int>(values[0]);
    f.picks = static_cast<int>(values[1]);
    f.startMs = values[2];
    f.drawn = values[3] != 0;
    f.pickBestMs = values[4];
    f.pickWorstMs = values[5];
    f.pickCpuMs = values[6];
    f.insertMs = values[7];
    f.saveMs = values[8];
    f.residentMb = values[9];
    f.peakMb = values[10];
    return f;
}

// Runs this program for one band and answers its figures; the run's own report is passed on.
std::optional<BandFigures> RunForBand(const std::string& program, const std::string& sample, int picks,
                                      const std::vector<std::string>& benchmarkOptions)
{
    std::string command = "'" + program + "' '" + sample + "' " + std::string(BandPicksOption) + std::to_string(picks);
    for (const std::string& option : benchmarkOptions) {
        command += " '" + option + "'";
    }
    std::cout.flush();
    FILE* output = ::popen(command.c_str(), "r");
    if (output == nullptr) {
        return std::nullopt;
    }
    std::optional<BandFigures> figures;
    std::string line;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, output) != nullptr) {
        line += buffer;
        if (line.empty() || line.back() != '\n') {
            continue;
        }
        if (std::optional<BandFigures> parsed = ParseFiguresLine(line)) {
            figures = parsed;
        } else {
            std::cout << line;
        }
        line.clear();
    }
    return ::pclose(output) == 0 ? figures : std::nullopt;
}

std::string Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// The bands side by side, one column each, and each figure against its target.
void PrintComparison(const std::vector<BandFigures>& bands)
{
    std::cout << "\nThe main road, each band in a run of its own (" << (bands.empty() ? 0 : bands.front().cards)
              << " cards):\n";
    const auto row = [&bands](const std::string& label, auto value) {
        std::cout << "  " << PadRight(label, 42);
        for (const BandFigures& band : bands) {
            std::cout << bench::PadLeft(value(band), 12);
        }
        std::cout << '\n';
    };
    row("picks at the start", [](const BandFigures& b) { return std::to_string(b.picks); });
    row("start-up to the band shown (ms)", [](const BandFigures& b) { return Fixed(b.startMs, 1) + (b.drawn ? "" : "!"); });
    row("one pick added and shown, best (ms)", [](const BandFigures& b) { return Fixed(b.pickBestMs, 2); });
    row("one pick added and shown, worst (ms)", [](const BandFigures& b) { return Fixed(b.pickWorstMs, 2); });
    row("  processor time of the best (ms)", [](const BandFigures& b) { return Fixed(b.pickCpuMs, 2); });
    row("a pick put in 3/4 along and shown (ms)", [](const BandFigures& b) { return Fixed(b.insertMs, 2); });
    row("saving the pattern (ms)", [](const BandFigures& b) { return Fixed(b.saveMs, 1); });
    row("memory after start-up (MB resident)", [](const BandFigures& b) { return Fixed(b.residentMb, 1); });
    row("memory at its peak (MB resident)", [](const BandFigures& b) { return Fixed(b.peakMb, 1); });
    if (std::any_of(bands.begin(), bands.end(), [](const BandFigures& b) { return !b.drawn; })) {
        std::cout << "  (! the band was NOT drawn at start-up)\n";
    }

    std::cout << "\nTargets:\n";
    const auto find = [&bands](int picks) -> const BandFigures* {
        for (const BandFigures& band : bands) {
            if (band.picks == picks) {
                return &band;
            }
        }
        return nullptr;
    };
    const BandFigures* sample = bands.empty() ? nullptr : &bands.front();
    for (const BandFigures& band : bands) {
        const std::string on = " on " + std::to_string(band.picks) + " picks";
        std::cout << "  " << PadRight("start-up below " + Fixed(TargetStartMs, 0) + " ms" + on, 78)
                  << Verdict(band.startMs < TargetStartMs) << '\n';
        std::cout << "  " << PadRight("one pick added and shown below " + Fixed(TargetPickMs, 0) + " ms" + on, 78)
                  << Verdict(band.pickWorstMs < TargetPickMs) << '\n';
    }
    if (const BandFigures* band = find(LongBandPicks)) {
        std::cout << "  " << PadRight("one pick added and shown below " + Fixed(TargetLongPickMs, 0) + " ms on "
                                          + std::to_string(LongBandPicks) + " picks",
                                      78)
                  << Verdict(band->pickBestMs < TargetLongPickMs) << " (best " << Fixed(band->pickBestMs, 2)
                  << " ms, worst " << Fixed(band->pickWorstMs, 2) << " ms)\n";
        std::cout << "  " << PadRight("memory at its peak below " + Fixed(TargetLongPeakMb, 0) + " MB on "
                                          + std::to_string(LongBandPicks) + " picks",
                                      78)
                  << Verdict(band->peakMb < TargetLongPeakMb) << " (" << Fixed(band->peakMb, 1) << " MB)\n";
    }
    if (const BandFigures* band = find(LongestBandPicks); band != nullptr && sample != nullptr) {
        // Like with like: the best of each, as the runs least disturbed by other work.
        const double ratio = band->pickBestMs / sample->pickBestMs;
        std::cout << "  " << PadRight("one pick added and shown on " + std::to_string(LongestBandPicks)
                                          + " picks at most " + Fixed(TargetLongestPickRatio, 1) + " x the "
                                          + std::to_string(sample->picks) + "-pick time",
                                      78)
                  << Verdict(ratio <= TargetLongestPickRatio) << " (" << Fixed(ratio, 2) << " x)\n";
    }
}

// The program's own start on the band, its benchmarks, and the figures as one line.
int RunOneBand(std::filesystem::path sample, int bandPicks, int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
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
    auto libraries = std::make_unique<TTWProgramLibraries>(ScratchFolder());
    // A longer band is made before the program opens it; its making is no part of the start.
    double makingMs = 0;
    if (bandPicks > 0) {
        const Clock::time_point making = Clock::now();
        sample = MakeLongBand(sample, bandPicks);
        makingMs = MillisecondsSince(making);
        bench::ResetPeakResident();
    }
    fw::App().SetCommandLine(std::vector<std::string>{"tavelin", sample.string()});
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
    BandFigures figures;
    figures.startMs = MillisecondsSince(start) - makingMs;
    figures.drawn = !shown.Empty() && shown.Pixel(shown.Width() / 4, shown.Height() / 2)
                                          != UserSettings().General.BackColour;
    figures.residentMb = static_cast<double>(bench::ProcStatus("VmRSS")) / (1024.0 * 1024.0);
    figures.cards = editor->Pattern()->Cards().Count();
    figures.picks = editor->Pattern()->Picks().Count();

    benchmark::Initialize(&argc, argv);
    CapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    figures.peakMb = static_cast<double>(bench::ProcStatus("VmHWM")) / (1024.0 * 1024.0);
    figures.pickBestMs = reporter.fastest["BM_AddPickAndShow"];
    figures.pickWorstMs = reporter.slowest["BM_AddPickAndShow"];
    figures.pickCpuMs = reporter.fastestCpu["BM_AddPickAndShow"];
    figures.insertMs = reporter.fastest["BM_InsertPickAtThreeQuartersAndShow"];
    figures.saveMs = reporter.fastest["BM_SavePattern"];
    std::cout << FiguresLine(figures) << std::endl;

    // The windows go as the program's end frees them.
    fw::App().FreeComponents();
    fw::ProcessPostedMessages();
    libraries.reset();
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path sample = std::filesystem::path(__FILE__).parent_path().parent_path() / "tests" / "data"
                                   / "threaded_large.tvl";
    std::vector<std::string> benchmarkOptions;
    std::optional<int> bandPicks;
    // The sample, the band option and the benchmark library's options; the band option is
    // taken out before the library sees the rest.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(BandPicksOption)) {
            int picks = 0;
            const std::string_view digits = argument.substr(BandPicksOption.size());
            std::from_chars(digits.data(), digits.data() + digits.size(), picks);
            bandPicks = picks;
            continue;
        }
        if (i == 1 && argument[0] != '-') {
            sample = argv[i];
            continue;
        }
        benchmarkOptions.emplace_back(argument);
        argv[kept++] = argv[i];
    }
    argc = kept;
    if (bandPicks) {
        return RunOneBand(sample, *bandPicks, argc, argv);
    }
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<BandFigures> bands;
    for (const int picks : {0, LongBandPicks, LongestBandPicks}) {
        std::optional<BandFigures> figures = RunForBand(program, sample.string(), picks, benchmarkOptions);
        if (!figures) {
            std::cerr << "The run for " << (picks == 0 ? std::string("the sample") : std::to_string(picks) + " picks")
                      << " failed.\n";
            return 1;
        }
        bands.push_back(*figures);
    }
    PrintComparison(bands);
    return 0;
}
