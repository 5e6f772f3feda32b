// The block-design grid frame on a large design: 400 x 400 cells, half of them set at random,
// at zoom 5 (cells of 10 x 10 pixels, a main image of 4000 x 4000) with the grid and its
// highlights shown, as a double-face or brocade design of that size is drawn:
//   - one cell changed as a click changes it (the cell, the overview, the cell redrawn);
//   - an undo or redo of a step that changed much of the design (restored and redrawn);
//   - a whole repaint (the overview and the whole main image), and the same with the paint of
//     what the view shows;
//   - the yardstick: Qt's QPainter drawing the same cells and lines into a QImage.
// Their steps are timed too, so that a missed target names what costs.
// After the run a summary gives each mean against its target and the whole repaint against
// QPainter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_report.h"
#include "controls/control_library.h"
#include "editors/block_frame.h"
#include "editors/block_frame_painter.h"
#include "forms/forms_default_style.h"
#include "framework/gui/control.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "treegrid/tree_properties.h"

namespace {

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr int Columns = 400;
constexpr int Rows = 400;
constexpr int Zoom = 5;
constexpr int CellPixels = 10;
constexpr int ImagePixels = Columns * CellPixels;
constexpr unsigned Seed = 20240611;

constexpr double CellTargetMs = 2.0;
constexpr double UndoTargetMs = 5.0;
constexpr double RepaintTargetMs = 8.0;

// The design every benchmark starts from: about half the cells set, always the same ones.
const fw::Bitmap& Design()
{
    static const fw::Bitmap design = [] {
        fw::Bitmap bitmap(Columns, Rows, true);
        std::mt19937 random(Seed);
        std::bernoulli_distribution set(0.5);
        for (int y = 0; y < Rows; ++y) {
            for (int x = 0; x < Columns; ++x) {
                bitmap.SetPixel(x, y, set(random) ? fw::Bitmap::Black : fw::Bitmap::White);
            }
        }
        return bitmap;
    }();
    return design;
}

// The cells a run of clicks visits, spread over the whole design.
const std::vector<fw::Point>& ClickedCells()
{
    static const std::vector<fw::Point> cells = [] {
        std::vector<fw::Point> points;
        std::mt19937 random(Seed + 1);
        std::uniform_int_distribution<int> column(0, Columns - 1);
        std::uniform_int_distribution<int> row(0, Rows - 1);
        for (int i = 0; i < 1024; ++i) {
            points.push_back(fw::Point{column(random), row(random)});
        }
        return points;
    }();
    return cells;
}

// The frame on a shown window, as an editor holds it, with the design in place and painted
// once. The window owns the frame.
struct Shown {
    std::unique_ptr<fw::Form> Host;
    TfrmBlockPattern* Frame = nullptr;

    Shown()
        : Host(std::make_unique<fw::Form>())
    {
        Host->SetBounds(0, 0, 1000, 760);
        Frame = new TfrmBlockPattern(Host.get());
        Frame->SetParent(Host.get());
        Frame->SetAlign(fw::Align::Client);
        Host->Show();
        Frame->SetZoom(Zoom);
        Frame->SetShowGrid(true);
        Frame->SetShowGridHighlights(true);
        Frame->SetPattern(Design());
        Settle();
    }

    // What the application does after each event: posted messages, then the paints.
    static void Settle()
    {
        fw::ProcessPostedMessages();
        fw::PaintPendingControls();
    }

    // Empty when the frame draws what the benchmarks mean to measure, else why not.
    std::string Problem() const
    {
        const fw::Bitmap& image = Frame->MainImage();
        if (Frame->GridWidth() != Columns || Frame->GridHeight() != Rows) {
            return "the design did not take its size";
        }
        if (Frame->CellWidth() != CellPixels || Frame->CellHeight() != CellPixels) {
            return "zoom " + std::to_string(Zoom) + " did not give cells of " + std::to_string(CellPixels) +
                   " pixels";
        }
        if (image.Width() != ImagePixels || image.Height() != ImagePixels) {
            return "the main image is " + std::to_string(image.Width()) + " x " + std::to_string(image.Height());
        }
        return {};
    }
};

// A click on a cell: toggled, the overview rebuilt, the cell redrawn into the main image and
// invalidated. The view's paint in between is what the application does after the click;
// it is left out here (see CellChangeShown).
void CellChange(benchmark::State& state)
{
    Shown shown;
    if (const std::string problem = shown.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        shown.Frame->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        state.PauseTiming();
        Shown::Settle();
        state.ResumeTiming();
    }
}

// The same click up to the screen: with the paints of the main view and the overview.
void CellChangeShown(benchmark::State& state)
{
    Shown shown;
    if (const std::string problem = shown.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        shown.Frame->ToggleCellAt(cells[next]);
        next = (next + 1) % cells.size();
        Shown::Settle();
    }
}

// An undo of a step that changed most of the design, then its redo, and so on: every call
// restores a whole 400 x 400 design and redraws the whole image.
void UndoRedo(benchmark::State& state)
{
    Shown shown;
    if (const std::string problem = shown.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    TfrmBlockPattern& frame = *shown.Frame;
    frame.PushUndo();
    frame.BeginUpdate();
    std::mt19937 random(Seed + 2);
    std::bernoulli_distribution change(0.75);
    for (int y = 0; y < Rows; ++y) {
        for (int x = 0; x < Columns; ++x) {
            if (change(random)) {
                frame.ToggleCell(x, y);
            }
        }
    }
    frame.EndUpdate();
    Shown::Settle();
    bool undo = true;
    for (auto _ : state) {
        if (undo) {
            frame.Undo();
        } else {
            frame.Redo();
        }
        undo = !undo;
        state.PauseTiming();
        Shown::Settle();
        state.ResumeTiming();
    }
    if (frame.UndoList().Count() != 2) {
        state.SkipWithError("the undo list did not hold the step and the design it replaced");
    }
}

// The overview and the whole main image drawn again, as after a change of option; with the
// paint of what the view shows timed too, or left out.
void Repaint(benchmark::State& state, bool paintTimed)
{
    Shown shown;
    if (const std::string problem = shown.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    for (auto _ : state) {
        shown.Frame->Refresh();
        if (!paintTimed) {
            state.PauseTiming();
        }
        Shown::Settle();
        if (!paintTimed) {
            state.ResumeTiming();
        }
    }
}

void WholeRepaint(benchmark::State& state)
{
    Repaint(state, false);
}

// The same up to the screen: with the paint of what the view shows.
void WholeRepaintShown(benchmark::State& state)
{
    Repaint(state, true);
}

// --- The steps of those roads -----------------------------------------------------------------

// The overview alone (every click and every repaint rebuilds it).
void StepRebuildOverview(benchmark::State& state)
{
    Shown shown;
    for (auto _ : state) {
        shown.Frame->RebuildSnapshot();
    }
}

// The main image alone, through the frame (style, painter, the view told).
void StepRedrawImage(benchmark::State& state)
{
    Shown shown;
    for (auto _ : state) {
        shown.Frame->RedrawGrid();
    }
}

// One cell into the main image alone, with its grid lines.
void StepDrawCell(benchmark::State& state)
{
    Shown shown;
    const std::vector<fw::Point>& cells = ClickedCells();
    std::size_t next = 0;
    for (auto _ : state) {
        shown.Frame->DrawCell(cells[next].X, cells[next].Y);
        next = (next + 1) % cells.size();
        state.PauseTiming();
        Shown::Settle();
        state.ResumeTiming();
    }
}

// The painter on its own: the overview built through its colour function, and the image
// stretched from it with the lines laid in, on the frame's geometry and style.
void StepPainterSnapshot(benchmark::State& state)
{
    Shown shown;
    const TfrmBlockPattern& frame = *shown.Frame;
    fw::Bitmap snapshot;
    for (auto _ : state) {
        TBlockFramePainter::BuildSnapshot(snapshot, frame.Geometry(), [&frame](int y, std::uint32_t* colours) {
            for (int x = 0; x < frame.GridWidth(); ++x) {
                colours[x] = frame.IsCellSet(x, y) ? frame.ColumnOnColour(x) : frame.ColumnOffColour(x);
            }
        });
        benchmark::DoNotOptimize(snapshot);
    }
}

void StepPainterImage(benchmark::State& state)
{
    Shown shown;
    const TfrmBlockPattern& frame = *shown.Frame;
    TBlockFrameStyle style;
    style.TakeSettings(UserSettings());
    style.GridColour = frame.GetGridColour();
    style.ShowGrid = true;
    style.ShowGridHighlights = true;
    const TBlockFramePainter painter(frame.Geometry(), style,
                                     [&frame](int x, int y) { return frame.GetCellInfo(x, y); });
    fw::Bitmap image;
    for (auto _ : state) {
        painter.DrawImage(image, frame.SnapshotBitmap());
        benchmark::DoNotOptimize(image);
    }
}

// Restoring a step without drawing: the copy of the design.
void StepRestoreDesignOnly(benchmark::State& state)
{
    Shown shown;
    TfrmBlockPattern& frame = *shown.Frame;
    std::unique_ptr<TTWBlockDesignItem> step = frame.CurrentDesign().NewLike();
    step->Assign(&frame.CurrentDesign());
    frame.BeginUpdate();
    for (auto _ : state) {
        frame.CurrentDesign().Assign(step.get());
    }
    frame.EndUpdate();
}

// --- The yardstick ----------------------------------------------------------------------------

// QPainter on a 4000 x 4000 QImage: every cell a fillRect in black or white, then the grid
// lines as drawLine, the highlighted ones (every fourth, in the highlight colour) over the
// plain ones, as the frame paints them.
void QPainterPeer(benchmark::State& state)
{
    const fw::Bitmap& design = Design();
    QImage image(ImagePixels, ImagePixels, QImage::Format_RGB32);
    const TTWGridHighlight& highlight = UserSettings().General.GridHighlight;
    const QColor gridColour = fw::ToQColor(UserSettings().WeavingImage.GridColour);
    const QColor highlightColour = fw::ToQColor(highlight.Colour);
    const int highlightX = highlight.X;
    const int highlightY = highlight.Y;
    for (auto _ : state) {
        QPainter painter(&image);
        for (int y = 0; y < Rows; ++y) {
            for (int x = 0; x < Columns; ++x) {
                const bool set = design.Pixel(x, y) == fw::Bitmap::Black;
                painter.fillRect(QRect(x * CellPixels, y * CellPixels, CellPixels, CellPixels),
                                 set ? Qt::black : Qt::white);
            }
        }
        for (const bool highlighted : {false, true}) {
            painter.setPen(QPen(highlighted ? highlightColour : gridColour, 1));
            for (int i = 0; i <= Columns; ++i) {
                if ((highlightX > 0 && i % highlightX == 0) == highlighted) {
                    painter.drawLine(i * CellPixels, 0, i * CellPixels, ImagePixels - 1);
                }
            }
            for (int j = 0; j <= Rows; ++j) {
                if ((highlightY > 0 && j % highlightY == 0) == highlighted) {
                    painter.drawLine(0, j * CellPixels, ImagePixels - 1, j * CellPixels);
                }
            }
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void Timed(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(CellChange)->Apply(Timed);
BENCHMARK(CellChangeShown)->Apply(Timed);
BENCHMARK(UndoRedo)->Apply(Timed);
BENCHMARK(WholeRepaint)->Apply(Timed);
BENCHMARK(WholeRepaintShown)->Apply(Timed);
BENCHMARK(QPainterPeer)->Apply(Timed);
BENCHMARK(StepRebuildOverview)->Apply(Timed);
BENCHMARK(StepRedrawImage)->Apply(Timed);
BENCHMARK(StepDrawCell)->Apply(Timed);
BENCHMARK(StepPainterSnapshot)->Apply(Timed);
BENCHMARK(StepPainterImage)->Apply(Timed);
BENCHMARK(StepRestoreDesignOnly)->Apply(Timed);

// One line of the summary: the measure, its mean, and its target when it has one.
void Line(const bench::CapturingReporter& reporter, const std::string& name, const std::string& label,
          double target)
{
    const double ms = reporter.Time(name);
    if (ms < 0) {
        return;
    }
    std::cout << "  " << PadRight(label, 46) << PadLeft(Fixed(ms, 3), 8) << " ms";
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
    char name[] = "bench_block_frame";
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

    const TTWGridHighlight& highlight = UserSettings().General.GridHighlight;
    std::cout << "\nA " << Columns << " x " << Rows << " design at zoom " << Zoom << " (cells " << CellPixels << " x "
              << CellPixels << " px, image " << ImagePixels << " x " << ImagePixels
              << "), grid shown, highlights every " << highlight.X << " x " << highlight.Y << " (means):\n";
    Line(reporter, "CellChange", "one cell changed (ToggleCellAt)", CellTargetMs);
    Line(reporter, "CellChangeShown", "  the same up to the screen (with the paints)", 0);
    Line(reporter, "UndoRedo", "undo / redo of a full-size step", UndoTargetMs);
    Line(reporter, "WholeRepaint", "whole repaint (Refresh)", RepaintTargetMs);
    Line(reporter, "WholeRepaintShown", "  the same up to the screen (with the paints)", 0);
    Line(reporter, "QPainterPeer", "QPainter: cells by fillRect, lines by drawLine", 0);
    const double ours = reporter.Time("WholeRepaint");
    const double peer = reporter.Time("QPainterPeer");
    if (ours > 0 && peer > 0) {
        std::cout << "  whole repaint against QPainter: ratio " << Fixed(ours / peer, 3) << " (below 1: ours is faster)\n";
    }
    std::cout << "Where the time goes:\n";
    Line(reporter, "StepRebuildOverview", "overview rebuilt (RebuildSnapshot)", 0);
    Line(reporter, "StepRedrawImage", "main image redrawn (RedrawGrid)", 0);
    Line(reporter, "StepDrawCell", "one cell redrawn (DrawCell)", 0);
    Line(reporter, "StepPainterSnapshot", "painter: BuildSnapshot", 0);
    Line(reporter, "StepPainterImage", "painter: DrawImage", 0);
    Line(reporter, "StepRestoreDesignOnly", "design copied back (Assign)", 0);

    fw::ClearPostedMessages();
    ShutdownFormsDefaultStyle();
    ShutdownTreeGridLibrary();
    ShutdownControlLibrary();
    FinaliseModel();
    return 0;
}
