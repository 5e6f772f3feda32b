// Reading and writing a large stored file with our XML reader and writer, against pugixml and
// libxml2 on the very same text. The file is a threaded-in pattern with many picks, built
// through our own document and writer, so it has exactly the layout the program stores.
// After the run a summary gives the speed of each, our ratio to the other two and the memory
// a parsed document takes compared with its text.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "bench_report.h"

namespace {

using bench::Fixed; using bench::PadLeft; using bench::PadRight; using bench::HeapInUse; using bench::ProcStatus; using bench::ResetPeakResident;

// Picks enough for a file of about 20 MB.
constexpr int PickCount = 100000;
constexpr int CardCount = 40;

std::uint32_t NextRandom(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

std::string Quoted(std::string_view name, std::string_view value)
{
    return std::string(" ") + std::string(name) + "=\"" + std::string(value) + "\"";
}

void AddCards(TILXMLNode& pattern)
{
    TILXMLNode* cards = pattern.AddChild("Cards" + Quoted("Count", fw::IntToStr(CardCount)));
    std::uint32_t seed = 11;
    for (int c = 1; c <= CardCount; ++c) {
        TILXMLNode* card = cards->AddChild("Card" + Quoted("Index", fw::IntToStr(c)) + Quoted("Holes", "4")
                                           + Quoted("Threading", c % 2 == 0 ? "S" : "Z")
                                           + Quoted("Start", fw::IntToStr(c % 4 + 1)));
        for (int h = 1; h <= 4; ++h) {
            card->AddChildValue("Hole" + Quoted("Index", fw::IntToStr(h)),
                                fw::IntToStr(NextRandom(seed) & 0xFFFFFF));
        }
    }
}

void AddPacks(TILXMLNode& pattern)
{
    TILXMLNode* packs = pattern.AddChild("Packs" + Quoted("Count", "4"));
    for (int p = 0; p < 4; ++p) {
        const std::string name(1, static_cast<char>('A' + p));
        packs->AddChild("Pack" + Quoted("Name", name) + Quoted("First", fw::IntToStr(p * 10 + 1))
                        + Quoted("Last", fw::IntToStr(p * 10 + 10)));
    }
}

// Each pick turns a few cards or packs, forwards or backwards; now and then a pick carries a
// comment, escaped as stored texts are.
void AddPicks(TILXMLNode& pattern)
{
    TILXMLNode* picks = pattern.AddChild("Picks" + Quoted("Count", fw::IntToStr(PickCount)));
    std::uint32_t seed = 5;
    for (int p = 1; p <= PickCount; ++p) {
        TILXMLNode* pick = picks->AddChild("Pick" + Quoted("Index", fw::IntToStr(p)));
        const int actions = 2 + static_cast<int>(NextRandom(seed) % 4);
        for (int a = 0; a < actions; ++a) {
            const std::uint32_t r = NextRandom(seed);
            const std::string direction = (r & 1) != 0 ? "F" : "B";
            const std::string distance = fw::IntToStr(1 + (r >> 1) % 2);
            if ((r >> 3) % 5 == 0) {
                const std::string pack(1, static_cast<char>('A' + (r >> 6) % 4));
                pick->AddChild("Action" + Quoted("Pack", pack) + Quoted("Dir", direction) + Quoted("Dist", distance));
            } else {
                pick->AddChild("Action" + Quoted("Card", fw::IntToStr(1 + (r >> 6) % CardCount))
                               + Quoted("Dir", direction) + Quoted("Dist", distance));
            }
        }
        if (p % 50 == 0) {
            pick->AddChildValue("Comment", "Turn &#38; check the edge &#91;" + fw::IntToStr(p) + "&#93;");
        }
    }
}

struct Sample {
    std::string text;
    std::filesystem::path file;
};

const Sample& TheSample()
{
    static const Sample sample = [] {
        TILXMLTree tree;
        TILXMLNode* root = tree.AddRootNode("TWData");
        root->AddChildValue("Source", "Tavelin");
        root->AddChildValue("Version", "1.17");
        root->AddChildValue("Release", "3");
        TILXMLNode* pattern = root->AddChild("Pattern" + Quoted("Type", "Threaded-in"));
        pattern->AddChildValue("Name", "Long band for measuring");
        pattern->WriteTextLines("Notes", "A band long enough to measure reading and writing.\r\n"
                                         "Cards alternate S and Z; the packs turn together.\r\n"
                                         "Colours: <warp> & [weft] - 100% wool\r\n\r\nEnd of notes.");
        AddCards(*pattern);
        AddPacks(*pattern);
        AddPicks(*pattern);
        Sample made;
        made.file = std::filesystem::temp_directory_path()
                    / ("tavelin_bench_xml_" + fw::IntToStr(static_cast<std::int64_t>(getpid())) + ".xml");
        made.text = tree.BuildXML(made.file, true);
        return made;
    }();
    return sample;
}

std::int64_t SampleBytes()
{
    return static_cast<std::int64_t>(TheSample().text.size());
}

// --- Reading --------------------------------------------------------------------------------
// A document is read and freed again: that is what loading a file costs. The "ParseOnly"
// variants leave the freeing out of the time.

void ParseOurs(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    for (auto _ : state) {
        TILXMLTree tree;
        tree.ParseText(text);
        benchmark::DoNotOptimize(tree.TopNodeCount());
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParseOurs)->Unit(benchmark::kMillisecond);

// Reading the file as the program does, with the conversion from Windows-1252.
void ParseOursFromFile(benchmark::State& state)
{
    const std::filesystem::path& file = TheSample().file;
    for (auto _ : state) {
        TILXMLTree tree;
        tree.LoadFromFile(file);
        benchmark::DoNotOptimize(tree.TopNodeCount());
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParseOursFromFile)->Unit(benchmark::kMillisecond);

void ParsePugixml(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    for (auto _ : state) {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_buffer(text.data(), text.size());
        if (!result) {
            state.SkipWithError(result.description());
            break;
        }
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParsePugixml)->Unit(benchmark::kMillisecond);

// Without XML_PARSE_NOBLANKS libxml2 would keep every indentation as a text node, which
// neither our reader nor pugixml does; it also lets the writer indent again.
xmlDocPtr ReadWithLibxml2(const std::string& text)
{
    return xmlReadMemory(text.data(), static_cast<int>(text.size()), "pattern.xml", nullptr, XML_PARSE_NOBLANKS);
}

void ParseLibxml2(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    for (auto _ : state) {
        xmlDocPtr doc = ReadWithLibxml2(text);
        if (doc == nullptr) {
            state.SkipWithError("libxml2 could not read the sample");
            break;
        }
        benchmark::DoNotOptimize(doc);
        xmlFreeDoc(doc);
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParseLibxml2)->Unit(benchmark::kMillisecond);

void ParseOnlyOurs(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    for (auto _ : state) {
        auto tree = std::make_unique<TILXMLTree>();
        tree->ParseText(text);
        benchmark::DoNotOptimize(tree->TopNodeCount());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParseOnlyOurs)->Unit(benchmark::kMillisecond);

void ParseOnlyPugixml(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    for (auto _ : state) {
        auto doc = std::make_unique<pugi::xml_document>();
        doc->load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(doc->first_child());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParseOnlyPugixml)->Unit(benchmark::kMillisecond);

void ParseOnlyLibxml2(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    for (auto _ : state) {
        xmlDocPtr doc = ReadWithLibxml2(text);
        benchmark::DoNotOptimize(doc);
        state.PauseTiming();
        xmlFreeDoc(doc);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * SampleBytes());
}
BENCHMARK(ParseOnlyLibxml2)->Unit(benchmark::kMillisecond);

// --- Writing: each writes the document it has read, and counts the bytes it wrote. --------

void WriteOurs(benchmark::State& state)
{
    TILXMLTree tree;
    tree.ParseText(TheSample().text);
    std::int64_t written = 0;
    for (auto _ : state) {
        const std::string text = tree.BuildXML();
        written += static_cast<std::int64_t>(text.size());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(written);
}
BENCHMARK(WriteOurs)->Unit(benchmark::kMillisecond);

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
};

void WritePugixml(benchmark::State& state)
{
    const std::string& text = TheSample().text;
    pugi::xml_document doc;
    doc.load_buffer(text.data(), text.size());
    std::int64_t written = 0;
    for (auto _ : state) {
        StringWriter writer;
        doc.save(writer);
        written += static_cast<std::int64_t>(writer.text.size());
        benchmark::DoNotOptimize(writer.text.data());
    }
    state.SetBytesProcessed(written);
}
BENCHMARK(WritePugixml)->Unit(benchmark::kMillisecond);

void WriteLibxml2(benchmark::State& state)
{
    xmlDocPtr doc = ReadWithLibxml2(TheSample().text);
    if (doc == nullptr) {
        state.SkipWithError("libxml2 could not read the sample");
        return;
    }
    std::int64_t written = 0;
    for (auto _ : state) {
        xmlChar* memory = nullptr;
        int size = 0;
        xmlDocDumpFormatMemory(doc, &memory, &size, 1);
        written += size;
        benchmark::DoNotOptimize(memory);
        xmlFree(memory);
    }
    xmlFreeDoc(doc);
    state.SetBytesProcessed(written);
}
BENCHMARK(WriteLibxml2)->Unit(benchmark::kMillisecond);

// --- Summary --------------------------------------------------------------------------------

// Keeps the speed of every benchmark while the console shows the runs as usual.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            const auto counter = run.counters.find("bytes_per_second");
            if (run.error_occurred || counter == run.counters.end()) {
                continue;
            }
            // With repetitions the mean speaks for the runs.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") {
                continue;
            }
            bytesPerSecond[run.run_name.function_name] = counter->second.value;
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, double> bytesPerSecond;
};

// What a parsed document holds on the heap, and how far the resident size rose while it was
// being parsed, both against the size of the text.
struct MemoryUse {
    double retained = 0;
    double peak = 0;
};

// parse builds a document and hands back the function that frees it.
MemoryUse MeasureMemory(const std::function<std::function<void()>()>& parse)
{
    malloc_trim(0);
    const bool peakKnown = ResetPeakResident();
    const std::size_t residentBefore = ProcStatus("VmRSS");
    const std::size_t heapBefore = HeapInUse();
    const std::function<void()> release = parse();
    const std::size_t heapAfter = HeapInUse();
    const std::size_t peak = ProcStatus("VmHWM");
    release();
    const double size = static_cast<double>(SampleBytes());
    MemoryUse use;
    use.retained = static_cast<double>(heapAfter - heapBefore) / size;
    use.peak = peakKnown && peak > residentBefore ? static_cast<double>(peak - residentBefore) / size : -1;
    return use;
}

std::map<std::string, MemoryUse> MeasureAllMemory()
{
    std::map<std::string, MemoryUse> uses;
    uses["ours"] = MeasureMemory([] {
        auto* tree = new TILXMLTree;
        tree->ParseText(TheSample().text);
        return std::function<void()>([tree] { delete tree; });
    });
    uses["pugixml"] = MeasureMemory([] {
        auto* doc = new pugi::xml_document;
        doc->load_buffer(TheSample().text.data(), TheSample().text.size());
        return std::function<void()>([doc] { delete doc; });
    });
    uses["libxml2"] = MeasureMemory([] {
        xmlDocPtr doc = ReadWithLibxml2(TheSample().text);
        return std::function<void()>([doc] { xmlFreeDoc(doc); });
    });
    return uses;
}

std::string MegabytesPerSecond(const std::map<std::string, double>& speeds, const std::string& name)
{
    const auto found = speeds.find(name);
    return found == speeds.end() ? "n/a" : Fixed(found->second / 1e6, 1);
}

std::string Ratio(const std::map<std::string, double>& speeds, const std::string& ours, const std::string& theirs)
{
    const auto a = speeds.find(ours);
    const auto b = speeds.find(theirs);
    if (a == speeds.end() || b == speeds.end() || b->second <= 0) {
        return "n/a";
    }
    return Fixed(a->second / b->second, 2);
}

std::string Verdict(const std::map<std::string, double>& speeds, const std::string& name, double needed)
{
    const auto found = speeds.find(name);
    if (found == speeds.end()) {
        return "not measured";
    }
    return found->second >= needed ? "met" : "MISSED";
}

// The benchmarks above time one reader after the other, seconds apart, and on a shared
// machine the speed of memory drifts by more than the readers' gap. Here the two take turns,
// document by document, so that both meet the same conditions; the medians are compared.
struct InTurns {
    int rounds = 0;
    double oursRead = 0; // seconds
    double oursReadAndFree = 0;
    double pugixmlRead = 0;
    double pugixmlReadAndFree = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

InTurns ReadInTurns(int rounds)
{
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    const std::string& text = TheSample().text;
    std::vector<double> oursRead;
    std::vector<double> oursAll;
    std::vector<double> pugixmlRead;
    std::vector<double> pugixmlAll;
    // The first round of each warms the heap and is not counted.
    for (int round = -1; round < rounds; ++round) {
        const Clock::time_point start = Clock::now();
        auto tree = std::make_unique<TILXMLTree>();
        tree->ParseText(text);
        benchmark::DoNotOptimize(tree->TopNodeCount());
        const Clock::time_point read = Clock::now();
        tree.reset();
        const Clock::time_point freed = Clock::now();
        auto doc = std::make_unique<pugi::xml_document>();
        doc->load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(doc->first_child());
        const Clock::time_point peerRead = Clock::now();
        doc.reset();
        const Clock::time_point peerFreed = Clock::now();
        if (round >= 0) {
            oursRead.push_back(seconds(read - start));
            oursAll.push_back(seconds(freed - start));
            pugixmlRead.push_back(seconds(peerRead - freed));
            pugixmlAll.push_back(seconds(peerFreed - freed));
        }
    }
    return {rounds, Median(oursRead), Median(oursAll), Median(pugixmlRead), Median(pugixmlAll)};
}

void PrintSummary(const std::map<std::string, double>& speeds, const std::map<std::string, MemoryUse>& memory,
                  const InTurns& turns)
{
    std::cout << "\nXML sample: " << Fixed(static_cast<double>(SampleBytes()) / 1e6, 1) << " MB, " << PickCount
              << " picks\n\n";
    std::cout << PadRight("", 10) << PadLeft("ours", 10) << PadLeft("pugixml", 10) << PadLeft("libxml2", 10)
              << PadLeft("ours/pugixml", 14) << PadLeft("ours/libxml2", 14) << "   (MB/s, 1 MB = 10^6 bytes)\n";
    for (const std::string kind : {"Parse", "ParseOnly", "Write"}) {
        std::cout << PadRight(kind, 10) << PadLeft(MegabytesPerSecond(speeds, kind + "Ours"), 10)
                  << PadLeft(MegabytesPerSecond(speeds, kind + "Pugixml"), 10)
                  << PadLeft(MegabytesPerSecond(speeds, kind + "Libxml2"), 10)
                  << PadLeft(Ratio(speeds, kind + "Ours", kind + "Pugixml"), 14)
                  << PadLeft(Ratio(speeds, kind + "Ours", kind + "Libxml2"), 14) << '\n';
    }
    std::cout << PadRight("From file", 10) << PadLeft(MegabytesPerSecond(speeds, "ParseOursFromFile"), 10) << '\n';
    std::cout << "Parse reads a document and frees it again; ParseOnly times the reading alone.\n";
    const double megabytes = static_cast<double>(SampleBytes()) / 1e6;
    const double parseRatio = turns.pugixmlReadAndFree / turns.oursReadAndFree;
    const double parseOnlyRatio = turns.pugixmlRead / turns.oursRead;
    std::cout << "In turns with pugixml, medians of " << turns.rounds << " documents each:\n"
              << PadRight("Parse", 10) << PadLeft(Fixed(megabytes / turns.oursReadAndFree, 1), 10)
              << PadLeft(Fixed(megabytes / turns.pugixmlReadAndFree, 1), 10) << PadLeft("", 10)
              << PadLeft(Fixed(parseRatio, 2), 14) << '\n'
              << PadRight("ParseOnly", 10) << PadLeft(Fixed(megabytes / turns.oursRead, 1), 10)
              << PadLeft(Fixed(megabytes / turns.pugixmlRead, 1), 10) << PadLeft("", 10)
              << PadLeft(Fixed(parseOnlyRatio, 2), 14) << '\n';

    std::cout << "\nMemory per byte of text:  retained by the document, peak resident growth while parsing\n";
    for (const std::string name : {"ours", "pugixml", "libxml2"}) {
        const MemoryUse& use = memory.at(name);
        std::cout << PadRight(name, 10) << PadLeft(Fixed(use.retained, 2), 10)
                  << PadLeft(use.peak < 0 ? "n/a" : Fixed(use.peak, 2), 10) << '\n';
    }

    std::cout << "\nTargets (in turns):\n";
    std::cout << "  " << PadRight("ParseOurs at least half as fast as pugixml:", 48)
              << (parseRatio >= 0.5 ? "met" : "MISSED") << '\n';
    std::cout << "  " << PadRight("ParseOnlyOurs at least half as fast as pugixml:", 48)
              << (parseOnlyRatio >= 0.5 ? "met" : "MISSED") << '\n';
    std::cout << "  " << PadRight("WriteOurs at least 200 MB/s:", 48) << Verdict(speeds, "WriteOurs", 200e6) << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    // The program runs with the name check off; so do the measurements.
    SetXMLNameCheck(false);
    // The readers share one heap, and glibc sets when it hands freed memory back to the system
    // by what the process freed before: what ran earlier would decide whether a reader gets
    // new pages, paid for in page faults, at every round. Fixed settings, freed memory kept,
    // give every reader the same conditions whatever ran before it.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    xmlInitParser();
    int status = 0;
    std::filesystem::path sampleFile;
    try {
        sampleFile = TheSample().file;
        // The document must read back to the very text it came from, or the figures mean nothing.
        TILXMLTree check;
        check.ParseText(TheSample().text);
        if (check.BuildXML() != TheSample().text) {
            std::cerr << "The sample does not read back to its own text.\n";
            status = 1;
        } else {
            const std::map<std::string, MemoryUse> memory = MeasureAllMemory();
            CapturingReporter reporter;
            benchmark::RunSpecifiedBenchmarks(&reporter);
            // Twenty documents each, about a second and a half.
            PrintSummary(reporter.bytesPerSecond, memory, ReadInTurns(20));
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        status = 1;
    }
    if (!sampleFile.empty()) {
        std::error_code ignored;
        std::filesystem::remove(sampleFile, ignored);
    }
    benchmark::Shutdown();
    xmlCleanupParser();
    return status;
}
