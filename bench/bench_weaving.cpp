// Weaving a long threaded-in band, front and reverse side, and the memory the woven band
// takes. The pattern is built in memory through the model's own classes: 200 four-hole cards
// threaded S and Z in groups, eight colours, four packs of 50 cards and two selvedge cards
// on each side, with picks that mix pack turns, single-card turns of one and two holes in
// both directions, twists and idle cards, as a real band does.
// After the run a summary gives the speed in cells a second, the bytes each cell of the band
// takes and the peak memory of one weave, each against its target.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml_node.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/weaving.h"
#include "bench_report.h"

namespace {

using bench::Fixed; using bench::PadRight; using bench::HeapInUse; using bench::ProcStatus; using bench::ResetPeakResident;

constexpr int CardCount = 200;
constexpr int PickCount = 20000;
constexpr int PackCount = 4;
constexpr int PackSize = CardCount / PackCount;
constexpr int SelvedgeCards = 2;
constexpr int Width = SelvedgeCards + CardCount + SelvedgeCards;
constexpr std::int64_t CellCount = static_cast<std::int64_t>(Width) * PickCount;

// Targets: cells woven a second on one core, and bytes a cell of the band takes.
constexpr double TargetCellsPerSecond = 50e6;
constexpr double TargetBytesPerCell = 32;

constexpr std::array<TTWColour, 8> Colours = {0x000000, 0xFFFFFF, 0x0000C0, 0x00A0E0,
                                              0x206020, 0x803010, 0x5050A0, 0xC0C0C0};

std::uint32_t NextRandom(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void AddCard(TTWCardList& cards, std::uint8_t threading, std::uint32_t& seed, bool plain)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(4);
    for (int hole = 0; hole < 4; ++hole) {
        card->SetHoleColour(hole, plain ? 0 : static_cast<int>(NextRandom(seed) % Colours.size()));
    }
    card->SetThreading(threading);
    cards.Add(card.release());
}

std::string PackName(int pack)
{
    return std::string(1, static_cast<char>('A' + pack));
}

void AddCardAction(TTWPick& pick, int card, std::uint32_t& seed)
{
    const std::uint32_t r = NextRandom(seed);
    // Now and then a card is twisted before it turns.
    if (r % 16 == 0) {
        pick.Actions().Add(TTWAction::CreateCardTwist(card, (r >> 4) % 2 == 0 ? TwistV : TwistH).release());
    }
    switch ((r >> 8) % 8) {
    case 0:
    case 1:
    case 2:
        pick.Actions().Add(TTWAction::CreateCardTurn(card, TurnForwards, DistanceOneHole).release());
        break;
    case 3:
    case 4:
        pick.Actions().Add(TTWAction::CreateCardTurn(card, TurnBackwards, DistanceOneHole).release());
        break;
    case 5:
        pick.Actions().Add(TTWAction::CreateCardTurn(card, TurnForwards, DistanceTwoHoles).release());
        break;
    case 6:
        pick.Actions().Add(TTWAction::CreateCardTurn(card, TurnBackwards, DistanceTwoHoles).release());
        break;
    default:
        // Left idle.
        break;
    }
}

// Each pack in each pick is turned as a whole (mostly forwards), twisted and turned, left
// idle, or has its cards turned one by one.
void AddPick(TTWPick& pick, std::uint32_t& seed)
{
    for (int pack = 0; pack < PackCount; ++pack) {
        const std::uint32_t r = NextRandom(seed) % 20;
        if (r < 8) {
            pick.Actions().Add(TTWAction::CreatePackTurn(PackName(pack), TurnForwards, DistanceOneHole).release());
        } else if (r < 12) {
            pick.Actions().Add(TTWAction::CreatePackTurn(PackName(pack), TurnBackwards, DistanceOneHole).release());
        } else if (r < 13) {
            pick.Actions().Add(TTWAction::CreatePackTurn(PackName(pack), TurnForwards, DistanceTwoHoles).release());
        } else if (r < 14) {
            pick.Actions().Add(TTWAction::CreatePackTwist(PackName(pack), TwistV).release());
            pick.Actions().Add(TTWAction::CreatePackTurn(PackName(pack), TurnForwards, DistanceOneHole).release());
        } else if (r < 16) {
            // The whole pack stays idle.
        } else {
            for (int card = pack * PackSize + 1; card <= (pack + 1) * PackSize; ++card) {
                AddCardAction(pick, card, seed);
            }
        }
    }
}

std::unique_ptr<TTWPattern> MakePattern(int pickCount)
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Long band for measuring");
    TTWPalette& palette = pattern->Palette();
    palette.SetSize(static_cast<int>(Colours.size()));
    for (std::size_t i = 0; i < Colours.size(); ++i) {
        palette.SetColour(static_cast<int>(i), Colours[i]);
    }
    std::uint32_t seed = 17;
    for (int k = 0; k < SelvedgeCards; ++k) {
        AddCard(pattern->SelvedgeLeft(), ThreadingS, seed, true);
        AddCard(pattern->SelvedgeRight(), ThreadingZ, seed, true);
    }
    // Threaded S and Z in groups of four, as motifs are.
    for (int c = 0; c < CardCount; ++c) {
        AddCard(pattern->Cards(), (c / 4) % 2 == 0 ? ThreadingS : ThreadingZ, seed, false);
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

TTWPattern& ThePattern()
{
    static const std::unique_ptr<TTWPattern> pattern = MakePattern(PickCount);
    return *pattern;
}

// The editor keeps one band for each side and weaves it again after every change: the band
// is there already, and weaving is what is measured.
void BuildWeaving(benchmark::State& state)
{
    TTWPattern& pattern = ThePattern();
    TTWWeaving weaving;
    pattern.BuildWeaving(weaving, nullptr, false, 0);
    for (auto _ : state) {
        pattern.BuildWeaving(weaving, nullptr, false, 0);
        benchmark::DoNotOptimize(weaving.AllCells().data());
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BuildWeaving)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BuildReverseWeaving(benchmark::State& state)
{
    TTWPattern& pattern = ThePattern();
    TTWWeaving weaving;
    pattern.BuildReverseWeaving(weaving, nullptr, 0);
    for (auto _ : state) {
        pattern.BuildReverseWeaving(weaving, nullptr, 0);
        benchmark::DoNotOptimize(weaving.AllCells().data());
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BuildReverseWeaving)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// The first weave into a new band: its storage is taken from the system and touched for the
// first time as well.
void BuildWeavingNewBand(benchmark::State& state)
{
    TTWPattern& pattern = ThePattern();
    for (auto _ : state) {
        TTWWeaving weaving;
        pattern.BuildWeaving(weaving, nullptr, false, 0);
        benchmark::DoNotOptimize(weaving.AllCells().data());
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BuildWeavingNewBand)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BuildReverseWeavingNewBand(benchmark::State& state)
{
    TTWPattern& pattern = ThePattern();
    for (auto _ : state) {
        TTWWeaving weaving;
        pattern.BuildReverseWeaving(weaving, nullptr, 0);
        benchmark::DoNotOptimize(weaving.AllCells().data());
    }
    state.SetItemsProcessed(state.iterations() * CellCount);
}
BENCHMARK(BuildReverseWeavingNewBand)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// --- Summary --------------------------------------------------------------------------------

// Keeps the best speed of each benchmark over its repetitions: on a shared machine the
// fastest run is the one least disturbed by others.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            const auto counter = run.counters.find("items_per_second");
            if (run.error_occurred || run.run_type != Run::RT_Iteration || counter == run.counters.end()) {
                continue;
            }
            double& best = itemsPerSecond[run.run_name.function_name];
            best = std::max(best, counter->second.value);
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, double> itemsPerSecond;
};

struct MemoryUse {
    // Heap the band keeps, per cell.
    double bytesPerCell = 0;
    // Growth of the resident size while weaving, -1 when the system cannot tell.
    double peakBytes = -1;
};

// Weaves one fresh band and sees what it holds and how far the resident size rose.
MemoryUse MeasureMemory()
{
    TTWPattern& pattern = ThePattern();
    malloc_trim(0);
    const bool peakKnown = ResetPeakResident();
    const std::size_t residentBefore = ProcStatus("VmRSS");
    const std::size_t heapBefore = HeapInUse();
    MemoryUse use;
    {
        TTWWeaving weaving;
        pattern.BuildWeaving(weaving, nullptr, false, 0);
        const std::size_t heapAfter = HeapInUse();
        const std::size_t peak = ProcStatus("VmHWM");
        use.bytesPerCell = static_cast<double>(heapAfter - heapBefore) / static_cast<double>(CellCount);
        if (peakKnown && peak > residentBefore) {
            use.peakBytes = static_cast<double>(peak - residentBefore);
        }
    }
    return use;
}

// The figures mean nothing unless the whole band was woven: every row, every cell a colour
// of the palette, and the reverse side the front seen from behind.
bool BandIsWhole()
{
    TTWPattern& pattern = ThePattern();
    TTWWeaving front;
    TTWWeaving back;
    pattern.BuildWeaving(front, nullptr, false, 0);
    pattern.BuildReverseWeaving(back, nullptr, 0);
    if (front.Width() != Width || front.PickCount() != PickCount || back.PickCount() != PickCount) {
        return false;
    }
    std::int64_t turned = 0;
    for (int pick = 0; pick < PickCount; ++pick) {
        for (int column = 0; column < Width; ++column) {
            const TTWWeavingCell& cell = *front.Cell(column, pick);
            const TTWWeavingCell& behind = *back.Cell(Width - 1 - column, pick);
            if (std::find(Colours.begin(), Colours.end(), cell.Colour) == Colours.end()
                || cell.TurnDir != behind.TurnDir || behind.Hole != (cell.Hole + 2) % 4) {
                return false;
            }
            turned += cell.IsIdle() ? 0 : 1;
        }
    }
    // Most cards turn in most picks.
    return turned > CellCount / 2;
}

std::string Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

void PrintSummary(const std::map<std::string, double>& speeds, const MemoryUse& memory)
{
    std::cout << "\nBand: " << CardCount << " cards + " << 2 * SelvedgeCards << " selvedge cards x " << PickCount
              << " picks = " << CellCount << " cells; one cell is " << sizeof(TTWWeavingCell) << " bytes\n\n";
    std::cout << "Speed, best of 5:\n";
    for (const std::string name :
         {"BuildWeaving", "BuildReverseWeaving", "BuildWeavingNewBand", "BuildReverseWeavingNewBand"}) {
        const auto found = speeds.find(name);
        std::cout << "  " << PadRight(name, 28)
                  << (found == speeds.end() ? std::string("n/a") : Fixed(found->second / 1e6, 1) + " million cells/s")
                  << '\n';
    }
    std::cout << "BuildWeaving and BuildReverseWeaving weave into the band kept from the weave before, as the\n"
                 "editor does; the NewBand runs weave into a new band, whose storage is touched for the first time.\n";
    std::cout << "\nMemory of one woven band: " << Fixed(memory.bytesPerCell, 2) << " bytes per cell kept; peak "
              << (memory.peakBytes < 0 ? std::string("n/a")
                                       : Fixed(memory.peakBytes / 1e6, 1) + " MB resident growth while weaving ("
                                             + Fixed(memory.peakBytes / static_cast<double>(CellCount), 2)
                                             + " bytes per cell)")
              << '\n';

    std::cout << "\nTargets:\n";
    for (const std::string name : {"BuildWeaving", "BuildReverseWeaving"}) {
        const auto found = speeds.find(name);
        std::cout << "  " << PadRight(name + " at least 50 million cells/s:", 50)
                  << (found == speeds.end() ? "not measured" : Verdict(found->second >= TargetCellsPerSecond))
                  << '\n';
    }
    std::cout << "  " << PadRight("Woven band at most 32 bytes per cell:", 50)
              << Verdict(memory.bytesPerCell <= TargetBytesPerCell) << '\n';
    if (memory.peakBytes >= 0) {
        std::cout << "  " << PadRight("Peak while weaving at most 32 bytes per cell:", 50)
                  << Verdict(memory.peakBytes / static_cast<double>(CellCount) <= TargetBytesPerCell) << '\n';
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
        if (!BandIsWhole()) {
            std::cerr << "The band was not woven whole; the figures would mean nothing.\n";
            status = 1;
        } else {
            const MemoryUse memory = MeasureMemory();
            CapturingReporter reporter;
            benchmark::RunSpecifiedBenchmarks(&reporter);
            PrintSummary(reporter.itemsPerSecond, memory);
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        status = 1;
    }
    benchmark::Shutdown();
    FinaliseModel();
    return status;
}
