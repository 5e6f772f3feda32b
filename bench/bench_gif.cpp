// Our GIF writer against giflib's encoder on 1000 x 1000 images of 256 colours. giflib
// gets the image already as palette indices (its best case); ours starts from the bitmap
// and finds the palette itself, as the export does.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <charconv>
#include <cstdint>
#include <iostream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/gif_writer.h"
#include "framework/core/bitmap.h"
#include "bench_report.h"

namespace {

using bench::Fixed;

constexpr int Side = 1000;

// One image: the bitmap for us, the same pixels as indices plus palette for giflib.
struct Sample {
    fw::Bitmap bitmap;
    std::vector<std::uint32_t> palette;
    std::vector<GifPixelType> indices;
};

// kind "Noise": every pixel one of 256 colours at random, the worst case for LZW.
// kind "Design": blocks and stripes of 256 colours, closer to a weaving image.
Sample MakeSample(const std::string& kind)
{
    Sample sample;
    std::mt19937 random(1234);
    for (std::uint32_t i = 0; i < 256; ++i) {
        sample.palette.push_back((random() & 0xFF0000) | i << 8 | (255 - i));
    }
    sample.bitmap = fw::Bitmap(Side, Side);
    sample.indices.resize(static_cast<std::size_t>(Side) * Side);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const std::uint32_t index = kind == "Noise"
                                            ? random() % 256
                                            : static_cast<std::uint32_t>((x / 12 * 7 + y / 5 + (x + y) / 31) % 256);
            sample.indices[static_cast<std::size_t>(y) * Side + static_cast<std::size_t>(x)] =
                static_cast<GifPixelType>(index);
            sample.bitmap.SetPixel(x, y, sample.palette[index]);
        }
    }
    return sample;
}

const Sample& TheSample(const std::string& kind)
{
    static const std::map<std::string, Sample> samples = {{"Noise", MakeSample("Noise")},
                                                          {"Design", MakeSample("Design")}};
    return samples.at(kind);
}

std::vector<std::uint8_t> WriteOurs(const Sample& sample)
{
    auto bytes = EncodeBitmapAsGIF(sample.bitmap, {});
    if (!bytes) {
        throw std::runtime_error("our writer refused the sample");
    }
    return std::move(*bytes);
}

int AppendToVector(GifFileType* gif, const GifByteType* data, int count)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

std::vector<std::uint8_t> WriteGiflib(const Sample& sample)
{
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(Side) * Side * 3 / 2);
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToVector, &error);
    if (gif == nullptr) {
        throw std::runtime_error(GifErrorString(error));
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t colour = sample.palette[static_cast<std::size_t>(i)];
        map->Colors[i] = GifColorType{static_cast<GifByteType>(colour), static_cast<GifByteType>(colour >> 8),
                                      static_cast<GifByteType>(colour >> 16)};
    }
    bool ok = EGifPutScreenDesc(gif, Side, Side, 8, 0, nullptr) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, Side, Side, false, map) == GIF_OK &&
              EGifPutLine(gif, const_cast<GifPixelType*>(sample.indices.data()), Side * Side) == GIF_OK;
    GifFreeMapObject(map);
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    if (!ok) {
        throw std::runtime_error("giflib could not write the sample");
    }
    return out;
}

using Writer = std::vector<std::uint8_t> (*)(const Sample&);

void Write(benchmark::State& state, Writer writer, const std::string& kind)
{
    const Sample& sample = TheSample(kind);
    std::size_t size = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes = writer(sample);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = static_cast<double>(size);
    state.SetItemsProcessed(state.iterations() * Side * Side);
}

// Named "Write/<image>/<writer>".
BENCHMARK_CAPTURE(Write, Noise/Ours, WriteOurs, std::string("Noise"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Write, Noise/Giflib, WriteGiflib, std::string("Noise"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Write, Design/Ours, WriteOurs, std::string("Design"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Write, Design/Giflib, WriteGiflib, std::string("Design"))->Unit(benchmark::kMillisecond);

// --- Summary --------------------------------------------------------------------------------

struct Figures {
    double milliseconds = 0;
    double bytes = 0;
};

// Keeps the time and file size of every benchmark while the console shows the runs.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            const auto bytes = run.counters.find("file_bytes");
            if (run.error_occurred || bytes == run.counters.end()) {
                continue;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") {
                continue;
            }
            // The name reads "Write/Noise/Ours": the last two parts name the figures.
            const std::string name = run.benchmark_name();
            const std::size_t slash = name.find('/');
            figures[slash == std::string::npos ? name : name.substr(slash + 1)] =
                Figures{run.GetAdjustedRealTime(), bytes->second.value};
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, Figures> figures;
};

void PrintSummary(const std::map<std::string, Figures>& figures)
{
    std::cout << "\nGIF writer against giflib, " << Side << " x " << Side << " pixels, 256 colours:\n";
    for (const std::string kind : {"Noise", "Design"}) {
        const auto ours = figures.find(kind + "/Ours");
        const auto giflib = figures.find(kind + "/Giflib");
        if (ours == figures.end() || giflib == figures.end()) {
            continue;
        }
        const Figures& o = ours->second;
        const Figures& g = giflib->second;
        const double sizeRatio = o.bytes / g.bytes;
        std::cout << "  " << kind << ": ours " << Fixed(o.milliseconds, 2) << " ms, " << Fixed(o.bytes, 0)
                  << " bytes; giflib " << Fixed(g.milliseconds, 2) << " ms, " << Fixed(g.bytes, 0) << " bytes\n"
                  << "    speed: ours takes " << Fixed(100 * o.milliseconds / g.milliseconds, 0)
                  << "% of giflib's time -> " << (o.milliseconds <= g.milliseconds ? "met" : "MISSED") << '\n'
                  << "    size: ours is " << Fixed(100 * sizeRatio, 1) << "% of giflib's -> "
                  << (sizeRatio <= 1.05 ? "met" : "MISSED") << '\n';
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    try {
        CapturingReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        PrintSummary(reporter.figures);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        benchmark::Shutdown();
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
