// The lettered-band editor on a band of 40 letters from a font of 95 (the printable ASCII
// characters, drawn with the capitals of tests/data/font_capitals.tvf), in a shown window:
//   - the band generated, converted and woven: the tiles laid into the double-face design
//     and the grid shown with it, the design made into a threaded-in pattern (a four-hole
//     card per row of the letters, two picks a row of the band) and woven front and reverse;
//   - the same road in the model alone, without the window;
//   - the yardstick: the threaded-in weaving of the same size (front and reverse) from a
//     pattern that already exists.
// Their steps are timed too, so that a missed target names what costs. After the run a
// summary gives each mean against its target, and the road against the weaving alone as a
// ratio. The font file may be named as the first argument.
//
// The editor is made without the main window: it reaches nothing outside itself when it has
// no host, and lives as an MDI child of a plain MDI form.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bench_report.h"
#include "controls/control_library.h"
#include "editors/block_frame.h"
#include "editors/double_face_frame.h"
#include "editors/font_glyph_design.h"
#include "editors/lettered_band_editor.h"
#include "forms/forms_default_style.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/weaving.h"
#include "treegrid/tree_properties.h"

namespace {

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr int FontLetters = 95;
constexpr const char* Text = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG";
constexpr int BandLetters = 40;
constexpr double GenerateTargetMs = 100.0;

// The sample beside the sources as the compiler named them (relative to the build folder),
// else below the folder the program runs in.
std::filesystem::path& FontFile()
{
    static std::filesystem::path file = [] {
        const std::filesystem::path sample = std::filesystem::path("tests") / "data" / "font_capitals.tvf";
        const std::filesystem::path besideSources =
            std::filesystem::path(__FILE__).parent_path().parent_path() / sample;
        return std::filesystem::exists(besideSources) ? besideSources : sample;
    }();
    return file;
}

// The printable ASCII characters, each drawn as one of the sample's capitals (a letter as
// itself, every other character as a capital in turn), in the sample's height and spacing.
const TTWFont& Font95()
{
    static const std::unique_ptr<TTWFont> font = [] {
        TTWFont capitals;
        capitals.LoadFromFile(FontFile().string());
        auto made = std::make_unique<TTWFont>();
        made->Assign(&capitals);
        made->Chars().Clear();
        int next = 0;
        for (int code = 32; code < 32 + FontLetters; ++code) {
            const std::string letter(1, static_cast<char>(code));
            const TTWFontChar* drawn = capitals.FindChar(letter);
            if (drawn == nullptr) {
                drawn = capitals.GetChar(next);
                next = (next + 1) % capitals.GetCharCount();
            }
            TTWFontChar* added = made->AddChar(letter, "");
            added->Assign(drawn);
            added->Letter = letter;
        }
        return made;
    }();
    return *font;
}

std::unique_ptr<TTWLetteredBand> Band()
{
    auto band = std::make_unique<TTWLetteredBand>();
    band->SetTextFrom(std::string(Text).substr(0, BandLetters));
    band->SetEncapsulated(true);
    band->Font()->Assign(&Font95());
    band->SetName(Font95().Name());
    return band;
}

void Settle()
{
    fw::ProcessPostedMessages();
    fw::PaintPendingControls();
    fw::SyncQtPeers();
    QApplication::processEvents();
}

// The editor in a shown MDI form of the program window's size, with the band's tiles.
struct Shown {
    std::unique_ptr<fw::Form> Host;
    TfrmTWLetteredBand* Editor = nullptr;

    Shown() : Host(std::make_unique<fw::Form>())
    {
        Host->SetFormStyle(fw::FormStyle::MDIForm);
        Host->SetBounds(0, 0, 1280, 900);
        Host->FinishLoading();
        Host->Show();
        // The MDI form owns the editor.
        Editor = new TfrmTWLetteredBand(Host.get());
        Editor->FinishLoading();
        Editor->OpenPattern(Band(), std::string());
        Settle();
    }

    std::string Problem() const
    {
        if (Editor->Font().GetCharCount() != FontLetters) {
            return "the font has " + std::to_string(Editor->Font().GetCharCount()) + " letters";
        }
        if (Editor->TileCount() != BandLetters) {
            return "the band has " + std::to_string(Editor->TileCount()) + " tiles";
        }
        return {};
    }
};

Shown& Program()
{
    static Shown shown;
    return shown;
}

bool Ready(benchmark::State& state)
{
    if (const std::string problem = Program().Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return false;
    }
    return true;
}

std::vector<const TTWFontChar*> Letters()
{
    return Band()->LettersIn(Font95());
}

// --- The measures -------------------------------------------------------------------------------------

// Generate, then the band woven again on the image page and everything painted.
void GenerateConvertWeave(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWLetteredBand& editor = *Program().Editor;
    for (auto _ : state) {
        editor.GeneratePattern();
        editor.frameDoubleFace->RefreshWeavingImage();
        Settle();
    }
    if (editor.frameDoubleFace->FrontWeaving().PickCount() != 2 * editor.frameDoubleFace->framePattern->GridHeight()) {
        state.SkipWithError("the band woven is not two picks a row of the design");
    }
}

// The same in the model: design, conversion, both sides woven.
void ModelGenerateConvertWeave(benchmark::State& state)
{
    const std::vector<const TTWFontChar*> letters = Letters();
    TTWPattern threaded;
    TTWWeaving front;
    TTWWeaving reverse;
    for (auto _ : state) {
        const fw::Bitmap design = BuildLetteredBandGrid(Font95(), letters);
        BuildLetteredThreadedPattern(design, Font95().Threading(), threaded);
        threaded.BuildWeaving(front, &threaded.Palette(), false, 0);
        threaded.BuildReverseWeaving(reverse, &threaded.Palette(), 0);
    }
}

// The yardstick: the converted pattern, made once, woven front and reverse.
void ThreadedWeave(benchmark::State& state)
{
    TTWPattern threaded;
    BuildLetteredThreadedPattern(BuildLetteredBandGrid(Font95(), Letters()), Font95().Threading(), threaded);
    TTWWeaving front;
    TTWWeaving reverse;
    for (auto _ : state) {
        threaded.BuildWeaving(front, &threaded.Palette(), false, 0);
        threaded.BuildReverseWeaving(reverse, &threaded.Palette(), 0);
    }
}

// --- The steps -------------------------------------------------------------------------------------------

void StepDesign(benchmark::State& state)
{
    const std::vector<const TTWFontChar*> letters = Letters();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildLetteredBandGrid(Font95(), letters));
    }
}

// The design given to the grid and the grid painted.
void StepGridShown(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWLetteredBand& editor = *Program().Editor;
    const fw::Bitmap design = BuildLetteredBandGrid(Font95(), Letters());
    for (auto _ : state) {
        editor.frameDoubleFace->framePattern->SetPattern(design);
        Settle();
    }
}

void StepConvert(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWLetteredBand& editor = *Program().Editor;
    editor.GeneratePattern();
    TTWPattern threaded;
    for (auto _ : state) {
        editor.frameDoubleFace->BuildThreadedPattern(threaded);
    }
}

void StepWeaveFront(benchmark::State& state)
{
    TTWPattern threaded;
    BuildLetteredThreadedPattern(BuildLetteredBandGrid(Font95(), Letters()), Font95().Threading(), threaded);
    TTWWeaving front;
    for (auto _ : state) {
        threaded.BuildWeaving(front, &threaded.Palette(), false, 0);
    }
}

void StepWeaveReverse(benchmark::State& state)
{
    TTWPattern threaded;
    BuildLetteredThreadedPattern(BuildLetteredBandGrid(Font95(), Letters()), Font95().Threading(), threaded);
    TTWWeaving reverse;
    for (auto _ : state) {
        threaded.BuildReverseWeaving(reverse, &threaded.Palette(), 0);
    }
}

void Timed(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(GenerateConvertWeave)->Apply(Timed);
BENCHMARK(ModelGenerateConvertWeave)->Apply(Timed);
BENCHMARK(ThreadedWeave)->Apply(Timed);
BENCHMARK(StepDesign)->Apply(Timed);
BENCHMARK(StepGridShown)->Apply(Timed);
BENCHMARK(StepConvert)->Apply(Timed);
BENCHMARK(StepWeaveFront)->Apply(Timed);
BENCHMARK(StepWeaveReverse)->Apply(Timed);

void Line(const bench::CapturingReporter& reporter, const std::string& name, const std::string& label,
          double target)
{
    const double ms = reporter.Time(name);
    if (ms < 0) {
        return;
    }
    std::cout << "  " << PadRight(label, 52) << PadLeft(Fixed(ms, 3), 9) << " ms";
    if (target > 0) {
        std::cout << bench::Verdict("under " + Fixed(target, 0) + " ms", ms < target);
    }
    std::cout << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc > 1 && argv[1][0] != '-') {
        FontFile() = argv[1];
        --argc;
        ++argv;
    }
    int qtArgc = 1;
    char name[] = "bench_lettered_band";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);
    InitialiseModel(std::filesystem::temp_directory_path());
    InitControlLibrary();
    InitTreeGridLibrary();
    InitFormsDefaultStyle();

    bench::CapturingReporter reporter("mean");
    if (!bench::RunBenchmarks(argc, argv, reporter)) {
        return 1;
    }

    {
        const TfrmTWLetteredBand& editor = *Program().Editor;
        const TfrmBlockPattern& grid = *editor.frameDoubleFace->framePattern;
        std::cout << "\nA band of " << editor.TileCount() << " letters from a font of " << editor.Font().GetCharCount()
                  << ": " << grid.GridWidth() << " cards by " << grid.GridHeight() << " rows ("
                  << 2 * grid.GridHeight() << " picks) (means):\n";
    }
    Line(reporter, "GenerateConvertWeave", "generated, converted and woven, window painted", GenerateTargetMs);
    Line(reporter, "ModelGenerateConvertWeave", "  the same in the model alone", GenerateTargetMs);
    Line(reporter, "ThreadedWeave", "threaded-in weaving of the same size (front, reverse)", 0);
    const double ours = reporter.Time("GenerateConvertWeave");
    const double peer = reporter.Time("ThreadedWeave");
    if (ours > 0 && peer > 0) {
        std::cout << "  generate-convert-weave against the threaded-in weaving: ratio " << Fixed(ours / peer, 3)
                  << " (1 is the weaving alone)\n";
    }
    std::cout << "Where the time goes:\n";
    Line(reporter, "StepDesign", "design laid from the tiles (BuildLetteredBandGrid)", 0);
    Line(reporter, "StepGridShown", "design given to the grid and painted (SetPattern)", 0);
    Line(reporter, "StepConvert", "conversion (BuildThreadedPattern)", 0);
    Line(reporter, "StepWeaveFront", "front woven (BuildWeaving)", 0);
    Line(reporter, "StepWeaveReverse", "reverse woven (BuildReverseWeaving)", 0);

    // The editor goes with its MDI form, before the libraries it draws on.
    Program().Host.reset();
    fw::ClearPostedMessages();
    ShutdownFormsDefaultStyle();
    ShutdownTreeGridLibrary();
    ShutdownControlLibrary();
    FinaliseModel();
    return 0;
}
