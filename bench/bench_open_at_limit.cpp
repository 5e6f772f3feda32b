// Opening a pattern at the card limit (MaxPatternCards cards wide, or a font and a lettered
// band that many cards high) in its own editor, for every kind, as the program opens a file:
// the file read by the loader, the editor made and shown, and everything it posted and
// painted done. The files are made first, each of a modest length:
//   - threaded-in: four-hole cards, 200 picks turning every card forwards;
//   - double-face, 3/1 broken twill and twist-patterned: 100 design rows, cells at random;
//   - brocade: 200 picks over a double-face ground of 100 rows, wefts and tie-downs at random;
//   - font: three letters of 20 rows; lettered band: those letters as its text.
// After the run a summary gives each kind's slowest open against the target of two seconds.
//
// Then the band grown to the limit in a shown editor: a new double-face design and a new
// brocade (from the Create menu, a few cards wide) take a one-bit picture MaxPatternCards
// columns wide, as "Import bitmap" gives it, and everything is shown again. Here the card
// frames are made while the window's Qt widgets already live.
//
// Then every grid editor on a design at the cell limit (MaxDesignCells cells, or the count in
// TAVELIN_BENCH_CELLS), in two shapes: as wide as a pattern may be (MaxPatternCards cards) and
// a long narrow band of LongBandCards cards: double-face of two, four and six colours, 3/1
// broken twill, twist-patterned, one letter of a font, and a lettered band whose letters (of
// LongBandCards x LetterWidth cells) make a design of that many cells. Each is opened, woven
// and shown as the program opens a file; the lettered band's design is generated too.
//
// The program is started as it starts itself, on Qt's offscreen platform, with a folder of
// its own for the settings; each editor is freed again between the runs. The files go to a
// scratch folder, or to TAVELIN_BENCH_FILES (kept, and made only when missing: a run per kind
// under /usr/bin/time gives each kind's peak memory without making them again).
//
// `bench_open_at_limit --startup FILE` times the program's start instead: from the process's
// start to the file's editor shown, as a user who opens a file with the program meets it.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_report.h"
#include "editors/block_frame.h"
#include "editors/brocade_editor.h"
#include "editors/brocade_pattern_frame.h"
#include "editors/df_editor.h"
#include "editors/editors_registration.h"
#include "editors/lettered_band_editor.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "shell/file_loader.h"
#include "shell/main_window.h"
#include "shell/program_start.h"
#include "shell/window_factory.h"

namespace {

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr double TargetOpenMs = 2000;
constexpr int ThreadedPicks = 200;
constexpr int DesignRows = 100;
constexpr int BrocadePicks = 2 * DesignRows;
constexpr int LetterRows = 20;
constexpr unsigned Seed = 20261210;

// The long band's width, and the rows of one letter of its font.
constexpr int LongBandCards = 30;
constexpr int LetterWidth = 13;

bool KeptFiles()
{
    return !qEnvironmentVariableIsEmpty("TAVELIN_BENCH_FILES");
}

std::filesystem::path ScratchFolder()
{
    static const std::filesystem::path folder =
        KeptFiles() ? std::filesystem::path(qEnvironmentVariable("TAVELIN_BENCH_FILES").toStdString())
                    : std::filesystem::temp_directory_path() /
                          ("tavelin_bench_open_at_limit_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

// The cells of a design at the limit.
std::int64_t LimitCells()
{
    const QString cells = qEnvironmentVariable("TAVELIN_BENCH_CELLS");
    return cells.isEmpty() ? MaxDesignCells : cells.toLongLong();
}

// What the screen shows once the editor is open: the posted work, the pending paints, the peers.
void Show()
{
    fw::ProcessPostedMessages();
    fw::PaintPendingControls();
    fw::SyncQtPeers();
    QApplication::processEvents();
}

void AddCards(TTWCardList& cards, int count)
{
    for (int x = 0; x < count; ++x) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, hole < 2 ? 1 : 2);
        }
        card->SetThreading(x % 2 == 0 ? ThreadingS : ThreadingZ);
        card->Reset();
        cards.Add(card.release());
    }
}

void FillAtRandom(TTWDFPattern& pattern, std::mt19937& random)
{
    pattern.SetSize(MaxPatternCards, DesignRows);
    std::bernoulli_distribution set(0.5);
    for (int y = 0; y < DesignRows; ++y) {
        for (int x = 0; x < MaxPatternCards; ++x) {
            pattern.SetCell(x, y, set(random));
        }
    }
}

std::string Save(const TTWPatternBase& pattern, const std::string& name)
{
    const std::string file = (ScratchFolder() / name).string();
    if (!KeptFiles() || !std::filesystem::exists(file)) {
        const_cast<TTWPatternBase&>(pattern).SaveToFile(file);
    }
    return file;
}

// A design of `cards` columns and `rows` rows, cells at random.
void FillAtRandom(TTWDFPattern& pattern, int cards, int rows, std::mt19937& random)
{
    pattern.SetSize(cards, rows);
    std::bernoulli_distribution set(0.5);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cards; ++x) {
            pattern.SetCell(x, y, set(random));
        }
    }
}

// The files of the grid editors at the cell limit, in either shape, each made when missing.
std::map<std::string, std::string> MakeCellLimitFiles()
{
    std::map<std::string, std::string> files;
    const std::int64_t cells = LimitCells();
    for (const auto& [shape, cards] : {std::pair{std::string("wide"), MaxPatternCards},
                                       std::pair{std::string("long"), LongBandCards}}) {
        const int rows = static_cast<int>(cells / cards);
        const std::string tag = shape + "_" + std::to_string(cells);
        const auto made = [&](const std::string& kind, const std::string& name, const auto& make) {
            const std::string file = (ScratchFolder() / (name + "_" + tag + (name == "font" ? ".tvf" : ".tvl"))).string();
            if (!std::filesystem::exists(file)) {
                make(file);
            }
            files[kind + "/" + shape] = file;
        };
        std::mt19937 random(Seed);
        for (const int colours : {2, 4, 6}) {
            made("double-face " + std::to_string(colours), "df" + std::to_string(colours), [&](const std::string& file) {
                TTWDFPattern pattern;
                pattern.SetName("Double-face at the cell limit");
                AddCards(pattern.Cards(), cards);
                pattern.SetColourCount(colours);
                FillAtRandom(pattern, cards, rows, random);
                pattern.SaveToFile(file);
            });
        }
        made("twill", "twill", [&](const std::string& file) {
            TTW31TwillPattern pattern;
            pattern.SetName("Twill at the cell limit");
            AddCards(pattern.Cards(), cards);
            FillAtRandom(pattern, cards, rows, random);
            pattern.SaveToFile(file);
        });
        made("twist-patterned", "twist", [&](const std::string& file) {
            TTWWarpTwinedPattern pattern;
            pattern.SetName("Twist at the cell limit");
            FillAtRandom(pattern, cards, rows, random);
            pattern.SaveToFile(file);
        });
        made("font letter", "font", [&](const std::string& file) {
            TTWFont font;
            // A letter is no longer than a letter may be: the long band's letter is shorter.
            const int letterRows = std::min(rows, TTWFontChar::MaxWidth);
            font.SetName("One letter");
            font.SetHeight(cards);
            font.SetDefCharWidth(letterRows);
            std::bernoulli_distribution set(0.3);
            TTWFontChar* letter = font.AddChar("A", "A");
            for (int x = 0; x < letterRows; ++x) {
                for (int y = 0; y < cards; ++y) {
                    if (set(random)) {
                        letter->Glyph().SetPixel(x, y, fw::Bitmap::Black);
                    }
                }
            }
            font.SaveToFile(file);
        });
        made("lettered band", "band", [&](const std::string& file) {
            TTWFont font;
            font.SetName("Band letters");
            font.SetHeight(cards);
            font.SetDefCharWidth(LetterWidth);
            std::bernoulli_distribution set(0.3);
            const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
            for (const char c : alphabet) {
                TTWFontChar* letter = font.AddChar(std::string(1, c), std::string(1, c));
                for (int x = 0; x < LetterWidth; ++x) {
                    for (int y = 0; y < cards; ++y) {
                        if (set(random)) {
                            letter->Glyph().SetPixel(x, y, fw::Bitmap::Black);
                        }
                    }
                }
            }
            // Each letter and the column between it and the next.
            const std::int64_t letters = std::max<std::int64_t>(cells / (static_cast<std::int64_t>(cards) * (LetterWidth + 1)), 1);
            std::string text;
            for (std::int64_t i = 0; i < letters; ++i) {
                text += alphabet[static_cast<std::size_t>(i % 26)];
            }
            TTWLetteredBand band;
            band.SetName("Letters at the cell limit");
            band.SetEncapsulated(true);
            band.Font()->Assign(&font);
            band.SetTextFrom(text);
            band.SaveToFile(file);
        });
    }
    return files;
}

// Seconds since the process began (its start time in clock ticks since boot).
double SecondsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command name's closing parenthesis; the start time is field 22.
    std::istringstream fields(content.substr(content.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double started = std::stod(field) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    // Seconds since boot, on the clock the start time above counts on.
    std::ifstream uptime("/proc/uptime");
    std::string seconds;
    uptime >> seconds;
    double now = 0.0;
    std::from_chars(seconds.data(), seconds.data() + seconds.size(), now);
    return now - started;
}

void MakeFont(TTWFont& font)
{
    font.SetName("Tall");
    font.SetHeight(MaxPatternCards);
    font.SetDefCharWidth(LetterRows);
    std::mt19937 random(Seed);
    std::bernoulli_distribution set(0.3);
    for (const char* letter : {"A", "B", "C"}) {
        TTWFontChar* added = font.AddChar(letter, letter);
        for (int x = 0; x < LetterRows; ++x) {
            for (int y = 0; y < MaxPatternCards; ++y) {
                if (set(random)) {
                    added->Glyph().SetPixel(x, y, fw::Bitmap::Black);
                }
            }
        }
    }
}

// The file of each kind, made once.
std::map<std::string, std::string> MakeFiles()
{
    std::map<std::string, std::string> files;
    std::mt19937 random(Seed);

    TTWPattern threaded;
    threaded.SetName("Threaded at the limit");
    AddCards(threaded.Cards(), MaxPatternCards);
    for (int i = 0; i < ThreadedPicks; ++i) {
        TTWPick* pick = threaded.Picks().Add();
        for (int card = 1; card <= MaxPatternCards; ++card) {
            pick->Actions().Add(TTWAction::CreateCardTurn(card, i % 8 < 4 ? TurnForwards : TurnBackwards,
                                                          DistanceOneHole)
                                    .release());
        }
    }
    files["1 threaded-in"] = Save(threaded, "threaded.tvl");

    TTWDFPattern doubleFace;
    doubleFace.SetName("Double-face at the limit");
    AddCards(doubleFace.Cards(), MaxPatternCards);
    FillAtRandom(doubleFace, random);
    files["2 double-face"] = Save(doubleFace, "doubleface.tvl");

    TTW31TwillPattern twill;
    twill.SetName("Twill at the limit");
    AddCards(twill.Cards(), MaxPatternCards);
    FillAtRandom(twill, random);
    files["3 twill"] = Save(twill, "twill.tvl");

    TTWWarpTwinedPattern twist;
    twist.SetName("Twist at the limit");
    FillAtRandom(twist, random);
    files["4 twist-patterned"] = Save(twist, "twist.tvl");

    TTWBrocadePattern brocade;
    brocade.SetName("Brocade at the limit");
    brocade.SetWidth(MaxPatternCards);
    brocade.SetSize(MaxPatternCards, BrocadePicks);
    std::uniform_int_distribution<int> weft(0, 3);
    for (auto& pick : brocade.BrocadePicks()) {
        for (int card = 0; card < MaxPatternCards; ++card) {
            const int digit = weft(random);
            pick->SetTieDown(card, digit == 0);
            pick->SetWeft(card, digit);
        }
    }
    AddCards(brocade.Cards(), MaxPatternCards);
    brocade.SetGroundWeave(&doubleFace);
    files["5 brocade"] = Save(brocade, "brocade.tvl");

    TTWFont font;
    MakeFont(font);
    files["6 font"] = Save(font, "font.tvf");

    TTWLetteredBand band;
    band.SetName("Tall");
    band.SetEncapsulated(true);
    band.Font()->Assign(&font);
    band.SetTextFrom("ABCABC");
    files["7 lettered band"] = Save(band, "band.tvl");
    return files;
}

TfrmTWMain* mainWindow = nullptr;
// Whether a lettered band's design is generated once it is open (the designs at the cell limit).
bool GenerateBands = false;

void BM_OpenAtTheLimit(benchmark::State& state, const std::string& file)
{
    for (auto _ : state) {
        fw::Form* editor = LoadPatternFile(*mainWindow, file);
        Show();
        // A lettered band opens with its letters; its design is what Generate makes of them.
        if (auto* band = dynamic_cast<TfrmTWLetteredBand*>(editor); band != nullptr && GenerateBands) {
            band->GeneratePattern();
            Show();
        }
        state.PauseTiming();
        if (editor == nullptr) {
            state.SkipWithError("the file did not open");
            break;
        }
        delete editor;
        Show();
        state.ResumeTiming();
    }
}

// The design frame of the editor the Create menu made, of either kind measured.
TfrmBlockPattern* DesignFrameOf(fw::Form* editor)
{
    if (auto* doubleFace = dynamic_cast<TfrmTWDoublefaceNonMDI*>(editor)) {
        return doubleFace->framePattern;
    }
    if (auto* brocade = dynamic_cast<TfrmBrocade*>(editor)) {
        return brocade->framePattern;
    }
    return nullptr;
}

// A picture MaxPatternCards columns wide and 20 rows high, cells at random.
fw::Bitmap PictureAtTheLimit()
{
    fw::Bitmap picture(MaxPatternCards, LetterRows, true);
    std::mt19937 random(Seed);
    std::bernoulli_distribution set(0.5);
    for (int y = 0; y < LetterRows; ++y) {
        for (int x = 0; x < MaxPatternCards; ++x) {
            if (set(random)) {
                picture.SetPixel(x, y, fw::Bitmap::Black);
            }
        }
    }
    return picture;
}

void BM_ImportAtTheLimit(benchmark::State& state, TTWWindowKind kind)
{
    const fw::Bitmap picture = PictureAtTheLimit();
    for (auto _ : state) {
        state.PauseTiming();
        fw::Form* editor = OpenWindowOfKind(*mainWindow, kind) ? mainWindow->ActiveMDIChild() : nullptr;
        TfrmBlockPattern* design = DesignFrameOf(editor);
        if (design == nullptr) {
            state.SkipWithError("the editor did not open");
            break;
        }
        Show();
        state.ResumeTiming();
        const bool imported = design->ImportPicture(picture);
        Show();
        state.PauseTiming();
        if (!imported || design->GridWidth() != MaxPatternCards) {
            state.SkipWithError("the picture was not imported");
            break;
        }
        delete editor;
        Show();
        state.ResumeTiming();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool startup = argc == 3 && std::string(argv[1]) == "--startup";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    char name[] = "bench_open_at_limit";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);

    auto libraries = std::make_unique<TTWProgramLibraries>(ScratchFolder());
    UserSettings().System.CheckTVLReg = false;
    RegisterShellModules();
    RegisterEditors();
    fw::SetMessageBoxHandler([](const fw::MessageBoxRequest&) { return fw::mrYes; });
    TfrmTWMain& main = CreateProgramWindows(&fw::App());
    main.SetBounds(0, 0, 1280, 900);
    main.Show();
    Show();
    mainWindow = &main;

    if (startup) {
        const fw::Form* editor = LoadPatternFile(main, argv[2]);
        Show();
        const double seconds = SecondsSinceProcessStart();
        std::cout << "From the program's start to " << std::filesystem::path(argv[2]).filename().string()
                  << (editor != nullptr ? " shown: " : " NOT opened: ") << Fixed(seconds * 1000, 0) << " ms\n";
        std::cout.flush();
        // The window and its editor go with the process.
        std::_Exit(editor != nullptr ? 0 : 1);
    }

    const std::map<std::string, std::string> cellFiles = MakeCellLimitFiles();
    for (const auto& [kind, file] : cellFiles) {
        benchmark::RegisterBenchmark(("Cells/" + kind).c_str(),
                                     [file](benchmark::State& state) {
                                         GenerateBands = true;
                                         BM_OpenAtTheLimit(state, file);
                                         GenerateBands = false;
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(2)
            ->ComputeStatistics("max", [](const std::vector<double>& times) {
                return *std::max_element(times.begin(), times.end());
            });
    }

    // TAVELIN_BENCH_CELLS_ONLY: the designs at the cell limit alone, so that a run's peak
    // memory is theirs.
    const bool cellsOnly = !qEnvironmentVariableIsEmpty("TAVELIN_BENCH_CELLS_ONLY");
    const std::map<std::string, std::string> files = cellsOnly ? std::map<std::string, std::string>{} : MakeFiles();
    for (const auto& [kind, file] : files) {
        benchmark::RegisterBenchmark(("Open/" + kind.substr(2)).c_str(), BM_OpenAtTheLimit, file)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(3)
            ->ComputeStatistics("max", [](const std::vector<double>& times) {
                return *std::max_element(times.begin(), times.end());
            });
    }
    const std::vector<std::pair<std::string, TTWWindowKind>> importers =
        cellsOnly ? std::vector<std::pair<std::string, TTWWindowKind>>{}
                  : std::vector<std::pair<std::string, TTWWindowKind>>{
                        {"double-face", TTWWindowKind::SimpleDoubleFaceEditor},
                        {"brocade", TTWWindowKind::BrocadeEditor}};
    for (const auto& [kind, windowKind] : importers) {
        benchmark::RegisterBenchmark(("Import/" + kind).c_str(), BM_ImportAtTheLimit, windowKind)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(3)
            ->ComputeStatistics("max", [](const std::vector<double>& times) {
                return *std::max_element(times.begin(), times.end());
            });
    }
    bench::CapturingReporter reporter("max");
    const bool ran = bench::RunBenchmarks(argc, argv, reporter);

    if (ran) {
        // One benchmark's slowest run against the target, if it ran.
        const auto printTime = [&](const std::string& label, const std::string& run, int width) {
            const double ms = reporter.Time(run);
            if (ms >= 0) {
                std::cout << "  " << PadRight(label, width) << PadLeft(Fixed(ms, 1), 10) << " ms"
                          << bench::Verdict("below " + Fixed(TargetOpenMs, 0) + " ms", ms < TargetOpenMs) << '\n';
            }
        };
        std::cout << "\nOpening a pattern at the limit of " << MaxPatternCards
                  << " cards in its editor (slowest of three runs):\n";
        for (const auto& [kind, file] : files) {
            printTime(kind.substr(2), "Open/" + kind.substr(2), 20);
        }
        std::cout << "\nOpening a design of " << LimitCells() << " cells (the cell limit is " << MaxDesignCells
                  << ") in its editor, " << MaxPatternCards << " cards wide and " << LongBandCards
                  << " cards wide (slowest of two runs):\n";
        for (const auto& [kind, file] : cellFiles) {
            printTime(kind, "Cells/" + kind, 28);
        }
        std::cout << "\nA picture of " << MaxPatternCards
                  << " columns imported into a new design in a shown editor (slowest of three runs):\n";
        for (const auto& [kind, windowKind] : importers) {
            printTime(kind, "Import/" + kind, 20);
        }
    }

    fw::App().FreeComponents();
    fw::ProcessPostedMessages();
    libraries.reset();
    if (!KeptFiles()) {
        std::error_code ignored;
        std::filesystem::remove_all(ScratchFolder(), ignored);
    }
    return ran ? 0 : 1;
}
