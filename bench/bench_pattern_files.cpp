// Loading, weaving and saving a large threaded-in pattern file, each phase on its own, and
// loading files of 1, 4 and 16 times the size to show that loading grows linearly with the
// file. The files are written by the model itself from patterns built in memory: 200 cards,
// four packs and picks that mix pack turns, single-card turns and twists.
// After the run a summary gives the time of each phase for the 10 MB file and the loading
// time per megabyte at each size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/weaving.h"
#include "bench_report.h"

namespace {

using bench::Fixed; using bench::PadLeft; using bench::PadRight;

constexpr int CardCount = 200;
constexpr int PackCount = 4;
constexpr int PackSize = CardCount / PackCount;

// The sizes loaded, in MB (10^6 bytes); the middle one is also woven and saved.
constexpr std::array<double, 3> SizesMB = {2.5, 10, 40};
constexpr double PhaseSizeMB = 10;
// Loading is linear while the time per MB at the largest size stays within this factor of
// the time at the smallest.
constexpr double LinearFactor = 1.5;

std::uint32_t NextRandom(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

std::string PackName(int pack)
{
    return std::string(1, static_cast<char>('A' + pack));
}

// A pack is turned as a whole, twisted and turned, left idle, or has its cards turned one by
// one, a few of them twisted first.
void AddPick(TTWPick& pick, std::uint32_t& seed)
{
    TTWActionList& actions = pick.Actions();
    for (int pack = 0; pack < PackCount; ++pack) {
        const std::uint32_t r = NextRandom(seed) % 20;
        if (r < 8) {
            actions.Add(TTWAction::CreatePackTurn(PackName(pack), TurnForwards, DistanceOneHole).release());
        } else if (r < 12) {
            actions.Add(TTWAction::CreatePackTurn(PackName(pack), TurnBackwards, DistanceOneHole).release());
        } else if (r < 13) {
            actions.Add(TTWAction::CreatePackTwist(PackName(pack), TwistV).release());
            actions.Add(TTWAction::CreatePackTurn(PackName(pack), TurnForwards, DistanceTwoHoles).release());
        } else if (r >= 16) {
            for (int card = pack * PackSize + 1; card <= (pack + 1) * PackSize; ++card) {
                const std::uint32_t c = NextRandom(seed);
                if (c % 16 == 0) {
                    actions.Add(TTWAction::CreateCardTwist(card, TwistH).release());
                }
                if ((c >> 4) % 8 != 7) {
                    const std::uint8_t direction = (c >> 8) % 3 == 0 ? TurnBackwards : TurnForwards;
                    const std::uint8_t distance = (c >> 10) % 4 == 0 ? DistanceTwoHoles : DistanceOneHole;
                    actions.Add(TTWAction::CreateCardTurn(card, direction, distance).release());
                }
            }
        }
    }
}

std::unique_ptr<TTWPattern> MakePattern(int pickCount)
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Long band for measuring");
    pattern->SetNotes("Cards threaded S and Z in groups of four.\r\nFour packs of 50 cards.");
    pattern->Palette().SetSize(8);
    std::uint32_t seed = 23;
    for (int i = 0; i < 8; ++i) {
        pattern->Palette().SetColour(i, NextRandom(seed) & 0xFFFFFF);
    }
    for (TTWCardList* selvedge : {&pattern->SelvedgeLeft(), &pattern->SelvedgeRight()}) {
        for (int k = 0; k < 2; ++k) {
            selvedge->Add(CreateCard(4).release());
        }
    }
    for (int c = 0; c < CardCount; ++c) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, static_cast<int>(NextRandom(seed) % 8));
        }
        card->SetThreading((c / 4) % 2 == 0 ? ThreadingS : ThreadingZ);
        pattern->Cards().Add(card.release());
    }
    for (int p = 0; p < PackCount; ++p) {
        auto pack = std::make_unique<TTWPack>();
        pack->Name = PackName(p);
        pack->SetSize(PackSize);
        for (int i = 0; i < PackSize; ++i) {
            pack->SetMember(i, p * PackSize + i + 1);
        }
        pack->SetCardList(&pattern->Cards());
        pattern->Packs().Add(pack.release());
    }
    for (int p = 0; p < pickCount; ++p) {
        AddPick(*pattern->Picks().Add(), seed);
    }
    return pattern;
}

std::int64_t FileBytes(const std::filesystem::path& file)
{
    return static_cast<std::int64_t>(std::filesystem::file_size(file));
}

struct SampleFile {
    double nominalMB = 0;
    std::filesystem::path path;
    std::int64_t bytes = 0;
    int picks = 0;
};

// The files live in a folder of their own, removed again at the end.
struct Samples {
    std::filesystem::path folder;
    std::vector<SampleFile> files;
    std::filesystem::path savedFile;
};

Samples& TheSamples()
{
    static Samples samples;
    return samples;
}

// Every pick takes about the same room in the file: two small files tell how much, and the
// picks for each size follow from that.
void WriteSampleFiles()
{
    Samples& samples = TheSamples();
    samples.folder = std::filesystem::temp_directory_path()
                     / ("tavelin_bench_files_" + fw::IntToStr(static_cast<std::int64_t>(getpid())));
    std::filesystem::create_directories(samples.folder);
    const std::filesystem::path probe = samples.folder / "probe.tvl";
    MakePattern(500)->SaveToFile(probe.string());
    const auto small = static_cast<double>(FileBytes(probe));
    MakePattern(1000)->SaveToFile(probe.string());
    const auto large = static_cast<double>(FileBytes(probe));
    std::filesystem::remove(probe);
    const double bytesPerPick = (large - small) / 500;
    const double fixedBytes = small - 500 * bytesPerPick;

    for (const double megabytes : SizesMB) {
        SampleFile file;
        file.nominalMB = megabytes;
        file.picks = std::max(1, static_cast<int>((megabytes * 1e6 - fixedBytes) / bytesPerPick));
        file.path = samples.folder / ("band_" + fw::IntToStr(static_cast<std::int64_t>(megabytes * 10)) + ".tvl");
        MakePattern(file.picks)->SaveToFile(file.path.string());
        file.bytes = FileBytes(file.path);
        // Pick numbers grow longer in longer files; one correction brings the size close.
        const double missing = megabytes * 1e6 - static_cast<double>(file.bytes);
        if (std::abs(missing) > megabytes * 1e6 * 0.01) {
            const double bytesPerPickHere = (static_cast<double>(file.bytes) - fixedBytes) / file.picks;
            file.picks = std::max(1, file.picks + static_cast<int>(missing / bytesPerPickHere));
            MakePattern(file.picks)->SaveToFile(file.path.string());
            file.bytes = FileBytes(file.path);
        }
        samples.files.push_back(file);
    }
    samples.savedFile = samples.folder / "saved.tvl";
}

const SampleFile& FileOf(double megabytes)
{
    for (const SampleFile& file : TheSamples().files) {
        if (file.nominalMB == megabytes) {
            return file;
        }
    }
    throw std::runtime_error("no sample file of that size");
}

std::string SizeName(double megabytes)
{
    return Fixed(megabytes, megabytes == static_cast<int>(megabytes) ? 0 : 1) + "MB";
}

std::unique_ptr<TTWPattern> LoadThreaded(const SampleFile& file)
{
    std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file.path.string());
    auto* pattern = dynamic_cast<TTWPattern*>(loaded.get());
    if (pattern == nullptr || pattern->GetPickCount() != file.picks) {
        throw std::runtime_error("the sample file did not load as the pattern that was saved");
    }
    loaded.release();
    return std::unique_ptr<TTWPattern>(pattern);
}

// --- The phases -----------------------------------------------------------------------------

// Reading the file and making the pattern it holds, as opening a file does; the pattern is
// freed outside the time.
void Load(benchmark::State& state, double megabytes)
{
    const SampleFile& file = FileOf(megabytes);
    for (auto _ : state) {
        std::unique_ptr<TTWPatternBase> pattern = LoadAndCreatePattern(file.path.string());
        benchmark::DoNotOptimize(pattern.get());
        state.PauseTiming();
        pattern.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * file.bytes);
}

// Weaving the loaded pattern into the band the editor keeps for it.
void Weave(benchmark::State& state, double megabytes)
{
    const std::unique_ptr<TTWPattern> pattern = LoadThreaded(FileOf(megabytes));
    TTWWeaving weaving;
    pattern->BuildWeaving(weaving, nullptr, false, 0);
    for (auto _ : state) {
        pattern->BuildWeaving(weaving, nullptr, false, 0);
        benchmark::DoNotOptimize(weaving.AllCells().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(weaving.Width()) * weaving.PickCount());
}

// Writing the loaded pattern to a file of its own.
void Save(benchmark::State& state, double megabytes)
{
    const std::unique_ptr<TTWPattern> pattern = LoadThreaded(FileOf(megabytes));
    const std::string target = TheSamples().savedFile.string();
    std::int64_t written = 0;
    for (auto _ : state) {
        pattern->SaveToFile(target);
        state.PauseTiming();
        written += FileBytes(target);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(written);
}

void RegisterPhases()
{
    for (const double megabytes : SizesMB) {
        benchmark::RegisterBenchmark(("Load/" + SizeName(megabytes)).c_str(), Load, megabytes)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(3);
    }
    benchmark::RegisterBenchmark(("Weave/" + SizeName(PhaseSizeMB)).c_str(), Weave, PhaseSizeMB)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(3);
    benchmark::RegisterBenchmark(("Save/" + SizeName(PhaseSizeMB)).c_str(), Save, PhaseSizeMB)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(3);
}

// --- Summary --------------------------------------------------------------------------------

// Keeps the best time of each benchmark (seconds per iteration) over its repetitions: on a
// shared machine the fastest run is the one least disturbed.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations <= 0) {
                continue;
            }
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            const std::string name = run.run_name.function_name;
            const auto known = bestSeconds.find(name);
            if (known == bestSeconds.end() || seconds < known->second) {
                bestSeconds[name] = seconds;
            }
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, double> bestSeconds;
};

void PrintSummary(const std::map<std::string, double>& best)
{
    const auto timeOf = [&best](const std::string& name) {
        const auto found = best.find(name);
        return found == best.end() ? -1.0 : found->second;
    };
    const SampleFile& phaseFile = FileOf(PhaseSizeMB);
    const double phaseMB = static_cast<double>(phaseFile.bytes) / 1e6;
    const std::int64_t cells = static_cast<std::int64_t>(CardCount + 4) * phaseFile.picks;

    std::cout << "\nPhases for the " << Fixed(phaseMB, 2) << " MB file (" << phaseFile.picks << " picks, " << cells
              << " cells), best of 3:\n";
    const double load = timeOf("Load/" + SizeName(PhaseSizeMB));
    const double weave = timeOf("Weave/" + SizeName(PhaseSizeMB));
    const double save = timeOf("Save/" + SizeName(PhaseSizeMB));
    const auto line = [](const std::string& phase, double seconds, const std::string& rate) {
        std::cout << "  " << PadRight(phase, 14)
                  << (seconds < 0 ? std::string("not measured") : PadLeft(Fixed(seconds * 1e3, 1), 8) + " ms   " + rate)
                  << '\n';
    };
    line("Load", load, load > 0 ? Fixed(phaseMB / load, 1) + " MB/s" : "");
    line("BuildWeaving", weave, weave > 0 ? Fixed(static_cast<double>(cells) / weave / 1e6, 1) + " million cells/s" : "");
    line("SaveToFile", save, save > 0 ? Fixed(phaseMB / save, 1) + " MB/s" : "");

    std::cout << "\nLoading by size, best of 3:\n";
    std::cout << "  " << PadRight("file", 10) << PadLeft("MB", 8) << PadLeft("picks", 8) << PadLeft("ms", 10)
              << PadLeft("ms/MB", 10) << '\n';
    std::vector<double> perMB;
    for (const SampleFile& file : TheSamples().files) {
        const double seconds = timeOf("Load/" + SizeName(file.nominalMB));
        const double megabytes = static_cast<double>(file.bytes) / 1e6;
        perMB.push_back(seconds > 0 ? seconds * 1e3 / megabytes : -1);
        std::cout << "  " << PadRight(SizeName(file.nominalMB), 10) << PadLeft(Fixed(megabytes, 2), 8)
                  << PadLeft(fw::IntToStr(file.picks), 8)
                  << PadLeft(seconds > 0 ? Fixed(seconds * 1e3, 1) : "n/a", 10)
                  << PadLeft(seconds > 0 ? Fixed(perMB.back(), 2) : "n/a", 10) << '\n';
    }
    if (perMB.front() > 0 && perMB.back() > 0) {
        const double ratio = perMB.back() / perMB.front();
        std::cout << "  time per MB at 16x the size / at 1x: " << Fixed(ratio, 2) << "  -> "
                  << (ratio > LinearFactor ? "not linear" : "linear") << " (limit " << Fixed(LinearFactor, 1) << ")\n";
    } else {
        std::cout << "  scaling not measured\n";
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    int status = 0;
    try {
        InitialiseModel(std::filesystem::temp_directory_path());
        SetXMLNameCheck(false);
        WriteSampleFiles();
        RegisterPhases();
        CapturingReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        PrintSummary(reporter.bestSeconds);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        status = 1;
    }
    if (!TheSamples().folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(TheSamples().folder, ignored);
    }
    benchmark::Shutdown();
    FinaliseModel();
    return status;
}
