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

#include <algorithm>
#include <charconv>
#include <chrono>
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

// --- The batches, the very same shapes for both ------------------------------------------

void PaintFills(fw::Canvas& canvas)
{
    canvas.Brush().Style = fw::BrushStyle::Solid;
    for (const Shape& shape : TheSample().rects) {
        canvas.Brush().Color = shape.colour;
        canvas.FillRect(shape.rect);
    }
}

void PaintLines(fw::Canvas& canvas)
{
    for (const Shape& line : TheSample().lines) {
        canvas.Pen().Color = line.colour;
        canvas.MoveTo(line.rect.Left, line.rect.Top);
        canvas.LineTo(line.rect.Right, line.rect.Bottom);
    }
}

// The canvas has the bench font; the text is drawn without a background.
void PaintTexts(fw::Canvas& canvas)
{
    canvas.Brush().Style = fw::BrushStyle::Clear;
    for (const TextRun& run : TheSample().runs) {
        canvas.Font().Color = run.colour;
        canvas.TextOut(run.x, run.y, run.text);
    }
}

void PaintFills(QPainter& painter)
{
    for (const Shape& shape : TheSample().rects) {
        const fw::Rect& r = shape.rect;
        painter.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), fw::ToQColor(shape.colour));
    }
}

void PaintLines(QPainter& painter)
{
    for (const Shape& line : TheSample().lines) {
        // Width 0: Qt's one-pixel cosmetic pen, its fastest line.
        painter.setPen(QPen(fw::ToQColor(line.colour), 0));
        painter.drawLine(line.rect.Left, line.rect.Top, line.rect.Right, line.rect.Bottom);
    }
}

void PaintTexts(QPainter& painter)
{
    static const QFont font = QtBenchFont();
    static const int ascent = QFontMetrics(font, painter.device()).ascent();
    painter.setFont(font);
    for (const TextRun& run : TheSample().runs) {
        painter.setPen(fw::ToQColor(run.colour));
        painter.drawText(QPoint(run.x, run.y + ascent), run.qtText);
    }
}

QImage WhiteSurface()
{
    QImage surface(Width, Height, QImage::Format_RGB32);
    surface.fill(Qt::white);
    return surface;
}

// Our side: a surface and a canvas on it, with the Qt paint backend for the text and the
// bench font.
struct OurSurface {
    fw::Bitmap bitmap{Width, Height};
    fw::QtPaintBackend backend;
    fw::Canvas canvas{bitmap, &backend};

    OurSurface() { canvas.Font() = BenchFont(); }
    template <class Batch>
    void Paint(Batch batch)
    {
        batch(canvas);
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    }
};

// QPainter's side: each batch opens a painter on the surface (antialiasing off), paints with
// it and ends it, as a paint event would.
struct QtSurface {
    QImage image = WhiteSurface();

    template <class Batch>
    void Paint(Batch batch)
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        batch(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

// Every benchmark paints its whole batch once a round and counts the batch's items.
template <class Surface, class Batch>
void TimeBatches(benchmark::State& state, int items, Batch batch)
{
    Surface surface;
    for (auto _ : state) {
        surface.Paint(batch);
    }
    state.SetItemsProcessed(state.iterations() * items);
}

void FillsCanvas(benchmark::State& state)
{
    TimeBatches<OurSurface>(state, RectCount, [](fw::Canvas& canvas) { PaintFills(canvas); });
}
BENCHMARK(FillsCanvas)->Unit(benchmark::kMillisecond);

void LinesCanvas(benchmark::State& state)
{
    TimeBatches<OurSurface>(state, LineCount, [](fw::Canvas& canvas) { PaintLines(canvas); });
}
BENCHMARK(LinesCanvas)->Unit(benchmark::kMillisecond);

void TextCanvas(benchmark::State& state)
{
    TimeBatches<OurSurface>(state, TextCount, [](fw::Canvas& canvas) { PaintTexts(canvas); });
}
BENCHMARK(TextCanvas)->Unit(benchmark::kMillisecond);

void FillsQPainter(benchmark::State& state)
{
    TimeBatches<QtSurface>(state, RectCount, [](QPainter& painter) { PaintFills(painter); });
}
BENCHMARK(FillsQPainter)->Unit(benchmark::kMillisecond);

void LinesQPainter(benchmark::State& state)
{
    TimeBatches<QtSurface>(state, LineCount, [](QPainter& painter) { PaintLines(painter); });
}
BENCHMARK(LinesQPainter)->Unit(benchmark::kMillisecond);

void TextQPainter(benchmark::State& state)
{
    TimeBatches<QtSurface>(state, TextCount, [](QPainter& painter) { PaintTexts(painter); });
}
BENCHMARK(TextQPainter)->Unit(benchmark::kMillisecond);

// --- Side by side ---------------------------------------------------------------------------

// The benchmarks above time one side after the other, seconds apart, and on a shared machine
// the speed of memory drifts by more than the two sides differ. Here the sides take turns,
// batch by batch, so that both meet the same conditions; the medians are compared.
struct PairedTimes {
    double ours = 0;
    double qt = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class OurBatch, class QtBatch>
PairedTimes TimeInTurns(int rounds, OurBatch ourBatch, QtBatch qtBatch)
{
    using Clock = std::chrono::steady_clock;
    const auto milliseconds = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    OurSurface ours;
    QtSurface qt;
    // Once each first: the caches, the glyphs and the pages of both surfaces are warm.
    ours.Paint(ourBatch);
    qt.Paint(qtBatch);
    std::vector<double> ourTimes;
    std::vector<double> qtTimes;
    for (int round = 0; round < rounds; ++round) {
        const Clock::time_point start = Clock::now();
        ours.Paint(ourBatch);
        const Clock::time_point between = Clock::now();
        qt.Paint(qtBatch);
        const Clock::time_point end = Clock::now();
        ourTimes.push_back(milliseconds(between - start));
        qtTimes.push_back(milliseconds(end - between));
    }
    return {Median(ourTimes), Median(qtTimes)};
}

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

    // Forty rounds of each pair in turns: about two seconds.
    constexpr int Rounds = 40;
    const struct {
        const char* label;
        const char* key;
        int count;
        bool target;
        PairedTimes paired;
    } rows[] = {
        {"filled rectangles", "Fills", RectCount, true,
         TimeInTurns(Rounds, [](fw::Canvas& c) { PaintFills(c); }, [](QPainter& p) { PaintFills(p); })},
        {"lines", "Lines", LineCount, true,
         TimeInTurns(Rounds, [](fw::Canvas& c) { PaintLines(c); }, [](QPainter& p) { PaintLines(p); })},
        {"text runs", "Text", TextCount, false,
         TimeInTurns(Rounds, [](fw::Canvas& c) { PaintTexts(c); }, [](QPainter& p) { PaintTexts(p); })},
    };
    std::cout << "\nOur canvas against QPainter on a " << Width << " x " << Height
              << " surface (time per batch; ratio = ours / QPainter, below 1 is faster):\n";
    for (const auto& row : rows) {
        const double ours = reporter.Time(std::string(row.key) + "Canvas");
        const double qt = reporter.Time(std::string(row.key) + "QPainter");
        if (ours < 0 || qt < 0) {
            continue;
        }
        std::cout << "  " << PadLeft(std::to_string(row.count), 6) << " " << row.label << ": ours "
                  << PadLeft(Fixed(ours, 2), 8) << " ms, QPainter " << PadLeft(Fixed(qt, 2), 8) << " ms, ratio "
                  << Fixed(ours / qt, 2) << "\n";
        const double ratio = row.paired.ours / row.paired.qt;
        std::cout << "         in turns, medians of " << Rounds << ": ours " << PadLeft(Fixed(row.paired.ours, 2), 8)
                  << " ms, QPainter " << PadLeft(Fixed(row.paired.qt, 2), 8) << " ms, ratio " << Fixed(ratio, 2);
        if (row.target) {
            std::cout << bench::Verdict("at most 1", ratio <= 1.0);
        }
        std::cout << "\n";
    }
    return 0;
}
