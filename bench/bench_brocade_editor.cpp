// The brocade editor on a large brocade: 100 cards by 1,000 picks over a double-face ground
// of 500 rows (1,000 picks), the wefts and tie-downs at random (always the same ones), in a
// shown window with its real-image page in front:
//   - one cell changed and the image shown again: the cell clicked on the grid (its runs
//     computed again), the grid stored into the pattern, the ground's picks rebuilt on the
//     cards, both sides woven and the image frame's visible view painted, wefts and all;
//   - the same through the page tabs, as the weaver goes: grid page, click, image page;
//   - the yardstick: the threaded-in weaving of the same size (100 four-hole cards, 1,000
//     picks) woven front and reverse from a pattern that already exists.
// Their steps are timed too, so that a missed target names what costs. After the run a
// summary gives each mean against its target, and the whole road against the weaving alone.
//
// The editor is made without the main window: it reaches nothing outside itself when it has
// no host, and lives as an MDI child of a plain MDI form.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_report.h"
#include "controls/control_library.h"
#include "editors/brocade_editor.h"
#include "editors/brocade_image_frame.h"
#include "editors/brocade_pattern_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "forms/forms_default_style.h"
#include "framework/gui/control.h"
#include "framework/gui/form.h"
#include "framework/gui/mdi.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/weaving.h"
#include "treegrid/tree_properties.h"

namespace {

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr int Cards = 100;
constexpr int GroundRows = 500;
constexpr int Picks = 2 * GroundRows;
constexpr unsigned Seed = 20261209;
constexpr double CellShownTargetMs = 50.0;

// The brocade: about a third of the cells tie-downs, the rest in one of three wefts, over a
// double-face ground whose cells are set at random.
const TTWBrocadePattern& Design()
{
    static const std::unique_ptr<TTWBrocadePattern> design = [] {
        std::mt19937 random(Seed);
        TTWDFPattern ground;
        ground.SetName("Ground");
        ground.SetSize(Cards, GroundRows);
        ground.SetColourCount(2);
        for (int x = 0; x < Cards; ++x) {
            std::unique_ptr<TTWCardBase> card = CreateCard(4);
            for (int hole = 0; hole < 4; ++hole) {
                card->SetHoleColour(hole, hole < 2 ? 4 : 15);
            }
            card->SetThreading(x % 2 == 0 ? ThreadingS : ThreadingZ);
            card->Reset();
            ground.Cards().Add(card.release());
        }
        std::bernoulli_distribution set(0.5);
        for (int y = 0; y < GroundRows; ++y) {
            for (int x = 0; x < Cards; ++x) {
                ground.SetCell(x, y, set(random));
            }
        }
        auto pattern = std::make_unique<TTWBrocadePattern>();
        pattern->SetName("Bench");
        pattern->SetGroundWeave(&ground);
        pattern->Cards().Assign(ground.Cards());
        pattern->SetWidth(Cards);
        std::uniform_int_distribution<int> weft(0, 2);
        std::bernoulli_distribution tieDown(1.0 / 3.0);
        for (int y = 0; y < Picks; ++y) {
            TTWBrocadePick* pick = pattern->BrocadePicks().Add();
            for (int x = 0; x < Cards; ++x) {
                if (tieDown(random)) {
                    pick->SetTieDown(x, true);
                } else {
                    pick->SetWeft(x, 1 + weft(random));
                }
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
        std::uniform_int_distribution<int> row(0, Picks - 1);
        for (int i = 0; i < 1024; ++i) {
            points.push_back(fw::Point{column(random), row(random)});
        }
        return points;
    }();
    return cells;
}

// The yardstick: the brocade's own threaded-in part, as the ground weaves it, in a pattern of
// its own.
TTWPattern& Yardstick()
{
    static const std::unique_ptr<TTWPattern> pattern = [] {
        TTWBrocadePattern brocade;
        brocade.Assign(&Design());
        brocade.BuildThreadedPicks();
        auto threaded = std::make_unique<TTWPattern>();
        brocade.ConvertToThreaded(*threaded);
        threaded->Palette().Assign(&brocade.Palette());
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

// The editor in a shown MDI form of the program window's size, with the brocade in place and
// the image page in front (which weaves the band and paints it once).
struct Shown {
    std::unique_ptr<fw::Form> Host;
    TfrmBrocade* Editor = nullptr;

    Shown() : Host(std::make_unique<fw::Form>())
    {
        Host->SetFormStyle(fw::FormStyle::MDIForm);
        Host->SetBounds(0, 0, 1280, 900);
        Host->FinishLoading();
        Host->Show();
        // The MDI form owns the editor.
        Editor = new TfrmBrocade(Host.get());
        Editor->FinishLoading();
        Editor->OpenPattern(&Design(), std::string());
        Settle();
        Editor->ShowImagePage();
        Settle();
    }

    // Empty when the editor shows what the benchmarks mean to measure, else why not.
    std::string Problem() const
    {
        if (Editor->framePattern->GridWidth() != Cards || Editor->framePattern->GridHeight() != Picks) {
            return "the grid did not take the brocade's size";
        }
        if (!Editor->ImagePageShown()) {
            return "the image page is not in front";
        }
        const TTWWeaving& front = Editor->FrontWeaving();
        if (front.Width() != Cards || front.PickCount() != Picks) {
            return "the band woven is " + std::to_string(front.Width()) + " x " + std::to_string(front.PickCount());
        }
        if (Editor->frameWeaving->imgWeaving->Width() <= 0 || Editor->frameWeaving->imgWeaving->Height() <= 0) {
            return "the image view has no size";
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

// A cell changed on the grid and the image shown again: stored, woven anew and the visible
// view painted, as the image page does when it comes into view.
void CellChangedShown(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        editor.framePattern->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        editor.RefreshPicture();
        Settle();
    }
}

// The same, seen as the weaver sees it: changed on the pattern page, the image page shown.
void CellChangedPageRoundTrip(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        editor.ShowPatternPage();
        Settle();
        editor.framePattern->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        Settle();
        editor.ShowImagePage();
        Settle();
    }
    if (!editor.ImagePageShown()) {
        state.SkipWithError("the image page did not come back");
    }
}

// The yardstick: the threaded-in pattern of the same size woven front and reverse.
void ThreadedWeave(benchmark::State& state)
{
    TTWPattern& pattern = Yardstick();
    TTWWeaving front;
    TTWWeaving reverse;
    for (auto _ : state) {
        pattern.BuildWeaving(front, nullptr, false, 0);
        pattern.BuildWeaving(reverse, nullptr, true, 0);
    }
    if (front.Width() != Cards || front.PickCount() != Picks) {
        state.SkipWithError("the yardstick is not of the brocade's size");
    }
}

// --- The steps of those roads ----------------------------------------------------------------------

// The cell changed alone, its runs computed again (the grid is on the hidden page).
void StepChangeCell(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
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

// The grid into the pattern: picks, wefts and cards, then the ground's picks on the cards.
void StepStoreGrid(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
    for (auto _ : state) {
        editor.StoreGrid();
    }
}

// Of it the ground's picks alone.
void StepBuildThreadedPicks(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
    for (auto _ : state) {
        editor.BuildThreadedPicks();
    }
}

// The image frame drawn again over unchanged bands, wefts and all, and the view painted.
void StepImageRedraw(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
    for (auto _ : state) {
        editor.frameWeaving->Redraw();
        Settle();
    }
}

// The whole picture with nothing changed: stored, woven, redrawn.
void StepRefreshPicture(benchmark::State& state)
{
    if (!Ready(state)) {
        return;
    }
    TfrmBrocade& editor = *Program().Editor;
    for (auto _ : state) {
        editor.RefreshPicture();
        Settle();
    }
}

void Timed(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(CellChangedShown)->Apply(Timed);
BENCHMARK(CellChangedPageRoundTrip)->Apply(Timed);
BENCHMARK(ThreadedWeave)->Apply(Timed);
BENCHMARK(StepChangeCell)->Apply(Timed);
BENCHMARK(StepStoreGrid)->Apply(Timed);
BENCHMARK(StepBuildThreadedPicks)->Apply(Timed);
BENCHMARK(StepImageRedraw)->Apply(Timed);
BENCHMARK(StepRefreshPicture)->Apply(Timed);

// One line of the summary: the measure, its mean, and its target when it has one.
void Line(const bench::CapturingReporter& reporter, const std::string& name, const std::string& label,
          double target)
{
    const double ms = reporter.Time(name);
    if (ms < 0) {
        return;
    }
    std::cout << "  " << PadRight(label, 56) << PadLeft(Fixed(ms, 3), 9) << " ms";
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
    char name[] = "bench_brocade_editor";
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
        std::cout << "\nA brocade of " << Cards << " cards by " << Picks << " picks over a double-face ground of "
                  << GroundRows << " rows, real-image page shown: view " << frame.imgWeaving->Width() << " x "
                  << frame.imgWeaving->Height() << " px, zoom " << frame.GetZoom()
                  << (frame.GetShowReverse() ? ", reverse shown" : ", reverse hidden") << " (means):\n";
    }
    Line(reporter, "CellChangedShown", "one cell changed and the image shown again", CellShownTargetMs);
    Line(reporter, "CellChangedPageRoundTrip", "  the same through the pages (pattern, image)", 0);
    Line(reporter, "ThreadedWeave", "threaded-in weaving of the same size (front, reverse)", 0);
    const double ours = reporter.Time("CellChangedShown");
    const double peer = reporter.Time("ThreadedWeave");
    if (ours > 0 && peer > 0) {
        std::cout << "  the whole road against the threaded-in weaving: ratio " << Fixed(ours / peer, 3)
                  << " (1 is the weaving alone)\n";
    }
    std::cout << "Where the time goes:\n";
    Line(reporter, "StepChangeCell", "cell changed on the grid, its runs again (ToggleCellAt)", 0);
    Line(reporter, "StepStoreGrid", "grid stored, ground's picks rebuilt (StoreGrid)", 0);
    Line(reporter, "StepBuildThreadedPicks", "  of it the ground's picks (BuildThreadedPicks)", 0);
    Line(reporter, "StepImageRedraw", "image frame redrawn and painted (Redraw)", 0);
    Line(reporter, "StepRefreshPicture", "RefreshPicture with nothing changed", 0);

    // The editor goes with its MDI form, before the libraries it draws on.
    Program().Host.reset();
    fw::ClearPostedMessages();
    ShutdownFormsDefaultStyle();
    ShutdownTreeGridLibrary();
    ShutdownControlLibrary();
    FinaliseModel();
    return 0;
}
