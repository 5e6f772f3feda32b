// The pattern browser on folders of 100 and 1,000 patterns of mixed kinds (copies of the
// samples: threaded-in with and without packs, double-face, 3/1 broken twill,
// twist-patterned and a brocade over a double-face ground), in the program as it starts:
//   - the first refresh: no cache, every thumbnail drawn, the cache written;
//   - the second refresh: the cache read, nothing drawn (the cache is the same, so it is not
//     written again);
//   - the same second refresh in the browser window, its frames made and laid out;
//   - one thumbnail of each kind, drawn by the views as a refresh draws it (the editor that
//     draws a kind made once for the refresh), and the first of a refresh, which makes it.
// After the run a summary gives the second refresh and each thumbnail against their targets,
// and the cost per file of both refreshes at 100 and at 1,000 files.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_report.h"
#include "editors/editors_registration.h"
#include "framework/gui/application.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_paint_backend.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"
#include "shell/browser_window.h"
#include "shell/main_window.h"
#include "shell/program_start.h"

namespace {

namespace fs = std::filesystem;

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr double SecondRefreshTargetMs = 500.0;
constexpr double ThumbnailTargetMs = 20.0;

const fs::path& SourceFolder()
{
    static const fs::path folder = fs::path(TAVELIN_SOURCE_DIR) / "tests";
    return folder;
}

// The samples a folder is made of, by the kind they show.
struct Sample {
    const char* Label;
    fs::path File;
};

const std::vector<Sample>& Samples()
{
    static const std::vector<Sample> samples{
        {"threaded-in", SourceFolder() / "data" / "threaded_small.tvl"},
        {"threaded-in with packs", SourceFolder() / "data" / "threaded_packs.tvl"},
        {"double-face", SourceFolder() / "data" / "doubleface_small.tvl"},
        {"3/1 broken twill", SourceFolder() / "data" / "twill_small.tvl"},
        {"twist-patterned", SourceFolder() / "data" / "twist_small.tvl"},
        {"brocade", SourceFolder() / "fuzz" / "corpus" / "patterns" / "gen-brocade-ground.tvl"},
    };
    return samples;
}

fs::path ScratchFolder()
{
    return fs::temp_directory_path() / ("tavelin_bench_browser_" + std::to_string(::getpid()));
}

// A folder of `count` pattern files, the samples in turn.
const fs::path& PatternFolder(int count)
{
    static std::map<int, fs::path> folders;
    if (const auto found = folders.find(count); found != folders.end()) {
        return found->second;
    }
    const fs::path folder = ScratchFolder() / ("folder_" + std::to_string(count));
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        const Sample& sample = Samples()[static_cast<std::size_t>(i) % Samples().size()];
        char name[32];
        std::snprintf(name, sizeof name, "pattern_%04d.tvl", i);
        fs::copy_file(sample.File, folder / name, fs::copy_options::overwrite_existing);
    }
    return folders.emplace(count, folder).first->second;
}

void RemoveCache(const fs::path& folder)
{
    std::error_code ignored;
    fs::remove(folder / BrowserCacheFileName, ignored);
}

void FirstRefresh(benchmark::State& state)
{
    const fs::path& folder = PatternFolder(static_cast<int>(state.range(0)));
    int rendered = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RemoveCache(folder);
        TTWBrowserItemList items;
        state.ResumeTiming();
        rendered = items.Update(folder.string(), false).Rendered;
    }
    if (rendered != state.range(0)) {
        state.SkipWithError("not every thumbnail was drawn");
    }
}
BENCHMARK(FirstRefresh)->Arg(100)->Arg(1000)->Iterations(1)->Repetitions(2)->Unit(benchmark::kMillisecond);

void SecondRefresh(benchmark::State& state)
{
    const fs::path& folder = PatternFolder(static_cast<int>(state.range(0)));
    TTWBrowserItemList first;
    first.Update(folder.string(), false);
    int rendered = 0;
    for (auto _ : state) {
        TTWBrowserItemList items;
        rendered += items.Update(folder.string(), false).Rendered;
        benchmark::DoNotOptimize(items.Count());
    }
    if (rendered != 0) {
        state.SkipWithError("the second refresh drew thumbnails");
    }
}
BENCHMARK(SecondRefresh)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The browser as File > Browse opens it.
TfrmTWBrowser* Browser()
{
    TfrmTWMain& main = *frmTWMain;
    if (main.BrowserWindow() == nullptr) {
        main.mnuBrowse->Click();
    }
    return dynamic_cast<TfrmTWBrowser*>(main.BrowserWindow());
}

void WindowRefresh(benchmark::State& state)
{
    const fs::path& folder = PatternFolder(static_cast<int>(state.range(0)));
    TTWBrowserItemList first;
    first.Update(folder.string(), false);
    TfrmTWBrowser* browser = Browser();
    if (browser == nullptr) {
        state.SkipWithError("no browser");
        return;
    }
    browser->SetBrowseFolder(folder.string());
    for (auto _ : state) {
        browser->UpdateThumbnails(false);
        fw::ProcessPostedMessages();
    }
    if (static_cast<int>(browser->Frames().size()) != state.range(0)) {
        state.SkipWithError("the frames are not all there");
    }
}
BENCHMARK(WindowRefresh)->Arg(1000)->Unit(benchmark::kMillisecond);

// One thumbnail as a folder's update draws it: inside a run, where the editor window that
// draws a kind is made once and serves every picture of the run.
void Thumbnail(benchmark::State& state)
{
    const Sample& sample = Samples()[static_cast<std::size_t>(state.range(0))];
    const std::unique_ptr<TTWPatternBase> pattern = LoadAndCreatePattern(sample.File.string());
    const TTWThumbnailRun run;
    MakeThumbnail(*pattern);
    for (auto _ : state) {
        const fw::Bitmap picture = MakeThumbnail(*pattern);
        benchmark::DoNotOptimize(picture.Width());
    }
    state.SetLabel(sample.Label);
}
BENCHMARK(Thumbnail)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The first thumbnail of a run, or one outside a run: the editor window made for it too.
void ThumbnailAlone(benchmark::State& state)
{
    const Sample& sample = Samples()[static_cast<std::size_t>(state.range(0))];
    const std::unique_ptr<TTWPatternBase> pattern = LoadAndCreatePattern(sample.File.string());
    for (auto _ : state) {
        const fw::Bitmap picture = MakeThumbnail(*pattern);
        benchmark::DoNotOptimize(picture.Width());
    }
    state.SetLabel(sample.Label);
}
BENCHMARK(ThumbnailAlone)->DenseRange(2, 4)->Unit(benchmark::kMillisecond);

void Line(const std::string& label, double ms, double target)
{
    if (ms < 0) {
        return;
    }
    std::cout << "  " << PadRight(label, 56) << PadLeft(Fixed(ms, 3), 10) << " ms";
    if (target > 0) {
        std::cout << bench::Verdict("under " + Fixed(target, 0) + " ms", ms < target);
    }
    std::cout << "\n";
}

void PerFile(const bench::CapturingReporter& reporter, const std::string& name, const std::string& label)
{
    const double small = reporter.Time(name + "/100");
    const double large = reporter.Time(name + "/1000");
    if (small < 0 || large < 0) {
        return;
    }
    std::cout << "  " << PadRight(label, 40) << PadLeft(Fixed(small / 100, 3), 8) << " ms at 100, "
              << PadLeft(Fixed(large / 1000, 3), 8) << " ms at 1,000: ratio " << Fixed((large / 1000) / (small / 100), 2)
              << " (1 is constant)\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    char name[] = "bench_browser";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);

    // The program as RunTavelin starts it, on a folder of its own for the settings.
    fs::create_directories(ScratchFolder());
    auto libraries = std::make_unique<TTWProgramLibraries>(ScratchFolder());
    UserSettings().System.CheckTVLReg = false;
    RegisterShellModules();
    RegisterEditors();
    fw::SetMessageBoxHandler([](const fw::MessageBoxRequest&) { return fw::mrYes; });
    TfrmTWMain& main = CreateProgramWindows(&fw::App());
    main.SetBounds(0, 0, 1280, 900);
    main.Show();

    bench::CapturingReporter reporter("mean");
    const bool ran = bench::RunBenchmarks(argc, argv, reporter);
    if (ran) {
        std::cout << "\nThe pattern browser on folders of mixed kinds (means):\n";
        Line("first refresh, 100 files (every thumbnail drawn)", reporter.Time("FirstRefresh/100"), 0);
        Line("first refresh, 1,000 files", reporter.Time("FirstRefresh/1000"), 0);
        Line("second refresh, 100 files (from the cache)", reporter.Time("SecondRefresh/100"), 0);
        Line("second refresh, 1,000 files", reporter.Time("SecondRefresh/1000"), SecondRefreshTargetMs);
        Line("  the same in the window, frames made and laid out", reporter.Time("WindowRefresh/1000"),
             SecondRefreshTargetMs);
        std::cout << "One thumbnail, as a refresh draws it:\n";
        for (std::size_t i = 0; i < Samples().size(); ++i) {
            Line(Samples()[i].Label, reporter.Time("Thumbnail/" + std::to_string(i)), ThumbnailTargetMs);
        }
        std::cout << "The first of a refresh (its kind's editor window made too):\n";
        for (std::size_t i = 2; i <= 4; ++i) {
            Line(Samples()[i].Label, reporter.Time("ThumbnailAlone/" + std::to_string(i)), 0);
        }
        std::cout << "Cost per file:\n";
        PerFile(reporter, "FirstRefresh", "first refresh");
        PerFile(reporter, "SecondRefresh", "second refresh");
    }

    // The windows go as the program's end frees them.
    fw::App().FreeComponents();
    fw::ProcessPostedMessages();
    libraries.reset();
    std::error_code ignored;
    fs::remove_all(ScratchFolder(), ignored);
    return ran ? 0 : 1;
}
