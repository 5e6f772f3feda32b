// Painting a full-HD surface through our canvas against QPainter (antialiasing off) on a
// QImage: 10,000 filled rectangles, 10,000 one-pixel lines and 1,000 text runs, the very
// same shapes, colours and texts for both. Our text goes through the Qt paint backend, so
// the text figures compare the cost of our region-based glyph path with Qt's direct one.
// After the run a summary gives each pair and our time as a share of QPainter's.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <charconv>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "bench_report.h"

namespace {

using bench::Fixed; using bench::PadLeft;

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr int RectCount = 10000;
constexpr int LineCount = 10000;
constexpr int TextCount = 1000;
constexpr int FontPoints = 9;

struct Shape {
    fw::Rect rect; // for lines: from (Left, Top) to (Right, Bottom)
    fw::Color colour;
};

struct TextRun {
    int x;
    int y;
    std::string text;
    QString qtText;
    fw::Color colour;
};

struct Sample {
    std::vector<Shape> rects;
    std::vector<Shape> lines;
    std::vector<TextRun> runs;
};

// Rectangles of all sizes up to a fifth of the screen, some sticking out of it; lines
// anywhere, long and short; text runs of a few words. The same seed every run.
Sample MakeSample()
{
    Sample sample;
    std::mt19937 random(2024);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto colour = [&] { return static_cast<fw::Color>(random() & 0xFFFFFF); };
    for (int i = 0; i < RectCount; ++i) {
        const int left = between(-50, Width);
        const int top = between(-50, Height);
        sample.rects.push_back(Shape{fw::Rect{left, top, left + between(1, Width / 5), top + between(1, Height / 5)}, colour()});
    }
    for (int i = 0; i < LineCount; ++i) {
        sample.lines.push_back(
            Shape{fw::Rect{between(0, Width - 1), between(0, Height - 1), between(0, Width - 1), between(0, Height - 1)},
                  colour()});
    }
    const char* words[] = {"tablet", "weaving", "band", "card", "twist", "pattern", "Brocade", "warp", "weft", "17"};
    for (int i = 0; i < TextCount; ++i) {
        std::string text;
        const int count = between(2, 5);
        for (int w = 0; w < count; ++w) {
            text += std::string(w == 0 ? "" : " ") + words[between(0, 9)];
        }
        sample.runs.push_back(TextRun{between(-20, Width - 100), between(-5, Height - 10), text,
                                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), colour()});
    }
    return sample;
}

const Sample& TheSample()
{
    static const Sample sample = MakeSample();
    return sample;
}

fw::Font BenchFont()
{
    fw::Font font;
    font.Name = "Liberation Sans";
    font.SetSize(FontPoints);
    return font;
}

// The font our backend uses, so that both sides draw the same glyphs.
QFont QtBenchFont()
{
    QFont font("Liberation Sans");
    font.setPixelSize(-BenchFont().Height);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Every benchmark paints its whole batch once a round and counts the batch's items.
template <class PaintBatch>
void TimeBatches(benchmark::State& state, int items, PaintBatch paintBatch)
{
    for (auto _ : state) {
        paintBatch();
    }
    state.SetItemsProcessed(state.iterations() * items);
}

// --- Ours -------------------------------------------------------------------------------

void FillsCanvas(benchmark::State& state)
{
    fw::Bitmap surface(Width, Height);
    fw::Canvas canvas(surface);
    TimeBatches(state, RectCount, [&] {
        for (const Shape& shape : TheSample().rects) {
            canvas.Brush().Color = shape.colour;
            canvas.FillRect(shape.rect);
        }
        benchmark::DoNotOptimize(surface.ScanLine(0));
    });
}
BENCHMARK(FillsCanvas)->Unit(benchmark::kMillisecond);

void LinesCanvas(benchmark::State& state)
{
    fw::Bitmap surface(Width, Height);
    fw::Canvas canvas(surface);
    TimeBatches(state, LineCount, [&] {
        for (const Shape& line : TheSample().lines) {
            canvas.Pen().Color = line.colour;
            canvas.MoveTo(line.rect.Left, line.rect.Top);
            canvas.LineTo(line.rect.Right, line.rect.Bottom);
        }
        benchmark::DoNotOptimize(surface.ScanLine(0));
    });
}
BENCHMARK(LinesCanvas)->Unit(benchmark::kMillisecond);

void TextCanvas(benchmark::State& state)
{
    fw::Bitmap surface(Width, Height);
    fw::QtPaintBackend backend;
    fw::Canvas canvas(surface, &backend);
    canvas.Font() = BenchFont();
    canvas.Brush().Style = fw::BrushStyle::Clear;
    TimeBatches(state, TextCount, [&] {
        for (const TextRun& run : TheSample().runs) {
            canvas.Font().Color = run.colour;
            canvas.TextOut(run.x, run.y, run.text);
        }
        benchmark::DoNotOptimize(surface.ScanLine(0));
    });
}
BENCHMARK(TextCanvas)->Unit(benchmark::kMillisecond);

// --- QPainter -----------------------------------------------------------------------------

QImage WhiteSurface()
{
    QImage surface(Width, Height, QImage::Format_RGB32);
    surface.fill(Qt::white);
    return surface;
}

// Each round opens a painter on the surface (antialiasing off), paints the batch with it and
// ends it, as a paint event would.
template <class PaintBatch>
void TimeQPainterBatches(benchmark::State& state, int items, QImage& surface, PaintBatch paintBatch)
{
    TimeBatches(state, items, [&] {
        QPainter painter(&surface);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        paintBatch(painter);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    });
}

void FillsQPainter(benchmark::State& state)
{
    QImage surface = WhiteSurface();
    TimeQPainterBatches(state, RectCount, surface, [](QPainter& painter) {
        for (const Shape& shape : TheSample().rects) {
            const fw::Rect& r = shape.rect;
            painter.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), fw::ToQColor(shape.colour));
        }
    });
}
BENCHMARK(FillsQPainter)->Unit(benchmark::kMillisecond);

void LinesQPainter(benchmark::State& state)
{
    QImage surface = WhiteSurface();
    TimeQPainterBatches(state, LineCount, surface, [](QPainter& painter) {
        for (const Shape& line : TheSample().lines) {
            // Width 0: Qt's one-pixel cosmetic pen, its fastest line.
            painter.setPen(QPen(fw::ToQColor(line.colour), 0));
            painter.drawLine(line.rect.Left, line.rect.Top, line.rect.Right, line.rect.Bottom);
        }
    });
}
BENCHMARK(LinesQPainter)->Unit(benchmark::kMillisecond);

void TextQPainter(benchmark::State& state)
{
    QImage surface = WhiteSurface();
    const QFont font = QtBenchFont();
    const int ascent = QFontMetrics(font, &surface).ascent();
    TimeQPainterBatches(state, TextCount, surface, [&](QPainter& painter) {
        painter.setFont(font);
        for (const TextRun& run : TheSample().runs) {
            painter.setPen(fw::ToQColor(run.colour));
            painter.drawText(QPoint(run.x, run.y + ascent), run.qtText);
        }
    });
}
BENCHMARK(TextQPainter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Fonts need an application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    char name[] = "bench_canvas";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication application(qtArgc, qtArgv);

    bench::CapturingReporter reporter;
    if (!bench::RunBenchmarks(argc, argv, reporter)) {
        return 1;
    }

    std::cout << "\nOur canvas against QPainter on a " << Width << " x " << Height
              << " surface (time per batch; ratio = ours / QPainter, below 1 is faster):\n";
    const struct {
        const char* label;
        const char* key;
        int count;
        bool target;
    } rows[] = {
        {"filled rectangles", "Fills", RectCount, true},
        {"lines", "Lines", LineCount, true},
        {"text runs", "Text", TextCount, false},
    };
    for (const auto& row : rows) {
        const double ours = reporter.Time(std::string(row.key) + "Canvas");
        const double qt = reporter.Time(std::string(row.key) + "QPainter");
        if (ours < 0 || qt < 0) {
            continue;
        }
        const double ratio = ours / qt;
        std::cout << "  " << PadLeft(std::to_string(row.count), 6) << " " << row.label << ": ours "
                  << PadLeft(Fixed(ours, 2), 8) << " ms, QPainter " << PadLeft(Fixed(qt, 2), 8) << " ms, ratio "
                  << Fixed(ratio, 2);
        if (row.target) {
            std::cout << bench::Verdict("at most 1", ratio <= 1.0);
        }
        std::cout << "\n";
    }
    return 0;
}
