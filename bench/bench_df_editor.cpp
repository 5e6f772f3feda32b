// The double-face editor on a large two-colour design: 200 cards by 2,000 rows, the cells set
// at random (always the same ones), in a shown window with its image page in front:
//   - one cell toggled and the band shown again: the cell toggled on the grid, the design
//     converted and woven again (front and reverse), and the image frame's visible view
//     painted;
//   - a whole convert-and-weave: the design made into a threaded-in pattern (cards and two
//     picks a row), then woven front and reverse;
//   - the yardstick: the same threaded-in weaving (200 four-hole cards, 4,000 picks) woven
//     front and reverse from a pattern that already exists.
// Their steps are timed too, so that a missed target names what costs, and so is a cheaper
// road on the same design: the last conversion's actions given their directions again in
// place, and only the side shown woven.
// After the run a summary gives each mean against its target, and the convert-and-weave
// against the weaving alone as a ratio.
//
// The editor is made without the main window: it reaches nothing outside itself when it has
// no host, and lives as an MDI child of a plain MDI form.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_report.h"
#include "controls/brush_page.h"
#include "controls/control_library.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/df_editor.h"
#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "forms/forms_default_style.h"
#include "framework/gui/control.h"
#include "framework/gui/form.h"
#include "framework/gui/mdi.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "model/action.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/model_state.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/weaving.h"
#include "treegrid/tree_properties.h"

namespace {

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr int Cards = 200;
// As long as a design of that many cards may be, up to 2,000 rows.
constexpr int Rows = static_cast<int>(std::min<std::int64_t>(2000, MaxDesignCells / Cards));
constexpr int PicksPerRow = 2;
constexpr int Picks = Rows * PicksPerRow;
constexpr unsigned Seed = 20261209;
// The palette indexes of the pattern holes (A, B) and the background holes (C, D).
constexpr int PatternColour = 3;
constexpr int BackgroundColour = 7;

constexpr double CellShownTargetMs = 50.0;

// The design: about half the cells set, always the same ones. Cards alternate in groups of
// threading as a weaver threads them; every card carries the pattern colour in holes A and B.
const TTWDFPattern& Design()
{
    static const std::unique_ptr<TTWDFPattern> design = [] {
        auto pattern = std::make_unique<TTWDFPattern>();
        pattern->SetName("Bench");
        pattern->SetSize(Cards, Rows);
        pattern->SetColourCount(2);
        for (int x = 0; x < Cards; ++x) {
            std::unique_ptr<TTWCardBase> card = CreateCard(4);
            card->SetHoleColour(0, PatternColour);
            card->SetHoleColour(1, PatternColour);
            card->SetHoleColour(2, BackgroundColour);
            card->SetHoleColour(3, BackgroundColour);
            card->SetThreading(x % 3 == 0 ? ThreadingZ : ThreadingS);
            card->Reset();
            pattern->Cards().Add(card.release());
        }
        std::mt19937 random(Seed);
        std::bernoulli_distribution set(0.5);
        for (int y = 0; y < Rows; ++y) {
            for (int x = 0; x < Cards; ++x) {
                pattern->SetCell(x, y, set(random));
            }
        }
        return pattern;
    }();
    return *design;
}

// The cells a run of clicks visits, spread over the whole design.
const std::vector<fw::Point>& ClickedCells()
{
    static const std::vector<fw::Point> cells = [] {
        std::vector<fw::Point> points;
        std::mt19937 random(Seed + 1);
        std::uniform_int_distribution<int> column(0, Cards - 1);
        std::uniform_int_distribution<int> row(0, Rows - 1);
        for (int i = 0; i < 1024; ++i) {
            points.push_back(fw::Point{column(random), row(random)});
        }
        return points;
    }();
    return cells;
}

// The threaded-in yardstick: the same cards and the picks the conversion makes (every card
// one hole a pick, backwards where the cell differs from the row's parity, each row's pick
// twice), built once as any threaded-in pattern exists before it is woven.
TTWPattern& Yardstick()
{
    static const std::unique_ptr<TTWPattern> pattern = [] {
        auto threaded = std::make_unique<TTWPattern>();
        const TTWDFPattern& design = Design();
        for (int x = 0; x < Cards; ++x) {
            const TTWCardBase& source = *design.Cards().GetCard(x);
            std::unique_ptr<TTWCardBase> card = CreateCard(4);
            for (int hole = 0; hole < 4; ++hole) {
                card->SetHoleColour(hole, source.HoleColour(hole));
            }
            card->SetThreading(source.Threading());
            card->Reset();
            threaded->Cards().Add(card.release());
        }
        for (int y = 0; y < Rows; ++y) {
            const bool odd = y % 2 != 0;
            for (int copy = 0; copy < PicksPerRow; ++copy) {
                TTWPick* pick = threaded->Picks().Add();
                for (int x = 0; x < Cards; ++x) {
                    const std::uint8_t direction = design.GetCell(x, y) != odd ? TurnBackwards : TurnForwards;
                    pick->Actions().Add(TTWAction::CreateCardTurn(x + 1, direction, DistanceOneHole).release());
                }
            }
        }
        return threaded;
    }();
    return *pattern;
}

// What the application does after each event: posted messages, the pending paints, the peers.
void Settle()
{
    fw::ProcessPostedMessages();
    fw::PaintPendingControls();
    fw::SyncQtPeers();
    QApplication::processEvents();
}

// The editor in a shown MDI form of the program window's size, with the design in place and
// the image page in front (which weaves the band and paints it once).
struct Shown {
    std::unique_ptr<fw::Form> Host;
    TfrmTWDoublefaceNonMDI* Editor = nullptr;

    Shown()
        : Host(std::make_unique<fw::Form>())
    {
        Host->SetFormStyle(fw::FormStyle::MDIForm);
        Host->SetBounds(0, 0, 1280, 900);
        Host->FinishLoading();
        Host->Show();
        // The MDI form owns the editor.
        Editor = new TfrmTWDoublefaceNonMDI(Host.get(), 2);
        Editor->FinishLoading();
        Editor->OpenPattern(&Design(), std::string());
        Settle();
        Editor->ShowPage(Editor->pgImage);
        Settle();
    }

    // Empty when the editor shows what the benchmarks mean to measure, else why not.
    std::string Problem() const
    {
        if (Editor->framePattern->GridWidth() != Cards || Editor->framePattern->GridHeight() != Rows) {
            return "the design did not take its size";
        }
        if (!Editor->ImageShown()) {
            return "the image page is not in front";
        }
        const TTWWeaving& front = Editor->FrontWeaving();
        if (front.Width() != Cards || front.PickCount() != Picks) {
            return "the band woven is " + std::to_string(front.Width()) + " x " + std::to_string(front.PickCount());
        }
        if (Editor->frameWeaving->imgWeaving->Width() <= 0 || Editor->frameWeaving->imgWeaving->Height() <= 0) {
            const auto size = [](const fw::Control& control) {
                return std::to_string(control.Width()) + " x " + std::to_string(control.Height()) +
                       (control.Visible() ? "" : " hidden");
            };
            return "the image view has no size: form " + size(*Host) + ", client " + size(*Host->ClientArea()) + ", editor " + size(*Editor) + ", pages " +
                   size(*Editor->pcMain) + ", image page " + size(*Editor->pgImage) + ", frame " +
                   size(*Editor->frameWeaving) + ", scroller " + size(*Editor->frameWeaving->scrImage) + ", view " +
                   size(*Editor->frameWeaving->imgWeaving);
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

// --- The measures -------------------------------------------------------------------------------------

// A cell toggled on the grid and the band shown again: woven anew and the visible view
// painted, as the button that weaves the band again does after an edit.
void CellToggledShown(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        editor.framePattern->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        editor.RefreshWeavingImage();
        Settle();
    }
}

// The same, seen as the weaver sees it: toggled on the design page, the image page clicked.
void CellToggledPageRoundTrip(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        editor.ShowPage(editor.pgPattern);
        Settle();
        editor.framePattern->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        Settle();
        editor.ShowPage(editor.pgImage);
        Settle();
    }
    if (!editor.ImageShown()) {
        state.SkipWithError("the image page did not come back");
    }
}

// The design converted and woven, front and reverse, into a pattern and weavings of the
// bench's own.
void ConvertAndWeave(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWPattern threaded;
    TTWWeaving front;
    TTWWeaving reverse;
    for (auto _ : state) {
        editor.BuildThreadedPattern(threaded);
        threaded.BuildWeaving(front, &editor.Palette(), false, 0);
        threaded.BuildReverseWeaving(reverse, &editor.Palette(), 0);
    }
    if (threaded.Picks().Count() != Picks || front.PickCount() != Picks) {
        state.SkipWithError("the conversion did not make two picks a row");
    }
}

// The yardstick: the threaded-in pattern of the same size woven front and reverse.
void ThreadedWeave(benchmark::State& state)
{
    TTWPattern& pattern = Yardstick();
    TTWWeaving front;
    TTWWeaving reverse;
    for (auto _ : state) {
        pattern.BuildWeaving(front, &pattern.Palette(), false, 0);
        pattern.BuildReverseWeaving(reverse, &pattern.Palette(), 0);
    }
    if (front.Width() != Cards || front.PickCount() != Picks) {
        state.SkipWithError("the yardstick is not of the design's size");
    }
}

// --- The steps of those roads ----------------------------------------------------------------------

// The cell toggled alone (the grid is on the hidden page).
void StepToggleCell(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        editor.framePattern->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        state.PauseTiming();
        Settle();
        state.ResumeTiming();
    }
}

// The conversion alone: cards from the card frames, two picks a row from the grid.
void StepBuildThreaded(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWPattern threaded;
    for (auto _ : state) {
        editor.BuildThreadedPattern(threaded);
    }
}

// The cards alone, out of the card frames.
void StepBuildCards(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWCardList cards;
    for (auto _ : state) {
        editor.BuildCards(cards);
    }
}

// One side woven from the converted pattern.
void StepWeaveFront(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWPattern threaded;
    editor.BuildThreadedPattern(threaded);
    TTWWeaving front;
    for (auto _ : state) {
        threaded.BuildWeaving(front, &editor.Palette(), false, 0);
    }
}

void StepWeaveReverse(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWPattern threaded;
    editor.BuildThreadedPattern(threaded);
    TTWWeaving reverse;
    for (auto _ : state) {
        threaded.BuildReverseWeaving(reverse, &editor.Palette(), 0);
    }
}

// The image frame drawn again over unchanged bands and the visible view painted.
void StepImageRedraw(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    for (auto _ : state) {
        editor.frameWeaving->Redraw();
        Settle();
    }
}

// The whole refresh with nothing changed: conversion, both weavings, the redraw.
void StepRefreshWeavingImage(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    for (auto _ : state) {
        editor.RefreshWeavingImage();
        Settle();
    }
}

// --- What a cheaper road would cost --------------------------------------------------------------

// The turn directions of a converted pattern set again from the grid, in the actions the
// last conversion made, instead of every action made anew: the conversion with nothing
// allocated and nothing freed.
void SetDirections(const TfrmBlockPattern& grid, TTWPattern& threaded, int firstRow, int lastRow, int firstCard,
                   int lastCard)
{
    for (int row = firstRow; row <= lastRow; ++row) {
        const bool odd = row % 2 != 0;
        for (int copy = 0; copy < PicksPerRow; ++copy) {
            TTWActionList& actions = threaded.Picks().Items(row * PicksPerRow + copy)->Actions();
            for (int card = firstCard; card <= lastCard; ++card) {
                const std::uint8_t direction = grid.IsCellSet(card, row) != odd ? TurnBackwards : TurnForwards;
                actions.Items(card)->SetTurnDir(direction);
            }
        }
    }
}

void StepConvertInPlace(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWPattern threaded;
    editor.BuildThreadedPattern(threaded);
    for (auto _ : state) {
        SetDirections(*editor.framePattern, threaded, 0, Rows - 1, 0, Cards - 1);
    }
}

// A cell toggled and shown with the conversion kept up to date in place (the two actions of
// the cell), only the side shown woven (the reverse is hidden), and the image redrawn.
void CellShownInPlace(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmTWDoublefaceNonMDI& editor = *Program().Editor;
    TTWPattern threaded;
    editor.BuildThreadedPattern(threaded);
    TTWWeaving front;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        const fw::Point cell = cells[next];
        next = (next + 1) % cells.size();
        editor.framePattern->ToggleCellAt(cell);
        SetDirections(*editor.framePattern, threaded, cell.Y, cell.Y, cell.X, cell.X);
        threaded.BuildWeaving(front, &editor.Palette(), false, 0);
        editor.frameWeaving->Redraw();
        Settle();
    }
}

void Timed(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(CellToggledShown)->Apply(Timed);
BENCHMARK(CellToggledPageRoundTrip)->Apply(Timed);
BENCHMARK(ConvertAndWeave)->Apply(Timed);
BENCHMARK(ThreadedWeave)->Apply(Timed);
BENCHMARK(StepToggleCell)->Apply(Timed);
BENCHMARK(StepBuildThreaded)->Apply(Timed);
BENCHMARK(StepBuildCards)->Apply(Timed);
BENCHMARK(StepWeaveFront)->Apply(Timed);
BENCHMARK(StepWeaveReverse)->Apply(Timed);
BENCHMARK(StepImageRedraw)->Apply(Timed);
BENCHMARK(StepRefreshWeavingImage)->Apply(Timed);
BENCHMARK(StepConvertInPlace)->Apply(Timed);
BENCHMARK(CellShownInPlace)->Apply(Timed);

// One line of the summary: the measure, its mean, and its target when it has one.
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
    int qtArgc = 1;
    char name[] = "bench_df_editor";
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
        const Shown& shown = Program();
        const TfrmWeavingImage& frame = *shown.Editor->frameWeaving;
        std::cout << "\nA two-colour double-face design of " << Cards << " cards by " << Rows << " rows ("
                  << Picks << " picks), image page shown: view " << frame.imgWeaving->Width() << " x "
                  << frame.imgWeaving->Height() << " px, zoom " << frame.GetZoom() << ", "
                  << (frame.GetImageType() == TTWImageType::Real ? "real image" : "block chart")
                  << (frame.GetShowReverse() ? ", reverse shown" : ", reverse hidden") << " (means):\n";
    }
    Line(reporter, "CellToggledShown", "one cell toggled and the band shown again", CellShownTargetMs);
    Line(reporter, "CellToggledPageRoundTrip", "  the same through the page tabs (design, image)", 0);
    Line(reporter, "ConvertAndWeave", "convert and weave (front and reverse)", 0);
    Line(reporter, "ThreadedWeave", "threaded-in weaving of the same size (front, reverse)", 0);
    const double ours = reporter.Time("ConvertAndWeave");
    const double peer = reporter.Time("ThreadedWeave");
    if (ours > 0 && peer > 0) {
        std::cout << "  convert-and-weave against the threaded-in weaving: ratio " << Fixed(ours / peer, 3)
                  << " (1 is the weaving alone)\n";
    }
    std::cout << "Where the time goes:\n";
    Line(reporter, "StepToggleCell", "cell toggled on the grid (ToggleCellAt)", 0);
    Line(reporter, "StepBuildThreaded", "conversion (BuildThreadedPattern)", 0);
    Line(reporter, "StepBuildCards", "  of it the cards (BuildCards)", 0);
    Line(reporter, "StepWeaveFront", "front woven (BuildWeaving)", 0);
    Line(reporter, "StepWeaveReverse", "reverse woven (BuildReverseWeaving)", 0);
    Line(reporter, "StepImageRedraw", "image frame redrawn and painted (Redraw)", 0);
    Line(reporter, "StepRefreshWeavingImage", "RefreshWeavingImage with nothing changed", 0);
    std::cout << "What a cheaper road would cost:\n";
    Line(reporter, "StepConvertInPlace", "directions set in the last conversion's actions", 0);
    Line(reporter, "CellShownInPlace", "cell shown: two actions set, front woven, redrawn", CellShownTargetMs);

    // The editor goes with its MDI form, before the libraries it draws on.
    Program().Host.reset();
    fw::ClearPostedMessages();
    ShutdownFormsDefaultStyle();
    ShutdownTreeGridLibrary();
    ShutdownControlLibrary();
    FinaliseModel();
    return 0;
}
