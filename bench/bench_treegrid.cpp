// The tree-grid with 100,000 rows of five columns against Qt's QTreeView over a
// QStandardItemModel, both on Qt's offscreen platform and with the same data: filling (ours
// inside one update bracket), sorting by a text and by an integer column, and painting one
// 1000 x 800 view scrolled to the middle. Adding one row to the sorted tree is timed too: it
// must cost a small part of a sort, since nothing is sorted again. After the run a summary
// gives each pair, the ratios and the targets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QList>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QString>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_report.h"
#include "controls/control_library.h"
#include "framework/gui/form.h"
#include "framework/gui/qt_paint_backend.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

using bench::Fixed;
using bench::PadLeft;
using bench::PadRight;

constexpr int RowCount = 100000;
constexpr int ColumnCount = 5;
constexpr int ViewWidth = 1000;
constexpr int ViewHeight = 800;
// The columns: a name (text sort), a quantity (integer sort), two more texts, and a random
// key that scrambles the order before each timed sort.
constexpr int NameColumn = 0;
constexpr int QuantityColumn = 1;
constexpr int ShuffleColumn = 4;

struct Row {
    std::array<std::string, ColumnCount> texts;
    int quantity = 0;
    int shuffle = 0;
};

// Names of two words and a number, in mixed case; everything from one seed.
std::vector<Row> MakeRows()
{
    const char* words[] = {"tablet", "Weaving", "band", "Card", "twist", "pattern", "brocade", "Warp",
                           "weft", "pick", "Motif", "border", "diamond", "Ram's horn", "chevron", "Loop"};
    std::mt19937 random(1707);
    const auto word = [&] { return std::string(words[random() % 16]); };
    std::vector<Row> rows(RowCount);
    for (Row& row : rows) {
        row.quantity = static_cast<int>(random() % 1000000);
        row.shuffle = static_cast<int>(random() % 1000000);
        row.texts[0] = word() + " " + word() + " " + std::to_string(random() % 10000);
        row.texts[1] = std::to_string(row.quantity);
        row.texts[2] = word();
        row.texts[3] = std::to_string(random() % 28 + 1) + "/0" + std::to_string(random() % 9 + 1) + "/2024";
        row.texts[4] = std::to_string(row.shuffle);
    }
    return rows;
}

const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = MakeRows();
    return rows;
}

// --- Ours ---------------------------------------------------------------------------------

// A form holding one tree of the view's size with the five columns.
class OurTree {
public:
    OurTree()
    {
        form_.SetBounds(0, 0, ViewWidth, ViewHeight);
        tree_ = new TILTree(&form_);
        tree_->SetParent(&form_);
        tree_->SetBounds(0, 0, ViewWidth, ViewHeight);
        for (int c = 0; c < ColumnCount; ++c) {
            TILTreeColumnData* column = tree_->Columns().Add();
            column->SetCaption("Column " + std::to_string(c));
            column->SetWidth(c == 0 ? 260 : 150);
        }
        tree_->GetColumn(NameColumn)->SetAutoSort(iltSortAlphaAscendI);
        tree_->GetColumn(QuantityColumn)->SetAutoSort(iltSortIntAscend);
        tree_->GetColumn(ShuffleColumn)->SetAutoSort(iltSortIntAscend);
    }

    TILTree& Tree() { return *tree_; }

    void Fill()
    {
        TILTreeNode* root = tree_->Root();
        tree_->BeginUpdate();
        for (const Row& row : Rows()) {
            auto* node = new TILTreeNode(root);
            for (int c = 0; c < ColumnCount; ++c) {
                node->SetCellText(c, row.texts[static_cast<std::size_t>(c)]);
            }
        }
        tree_->EndUpdate();
        tree_->EnsureLayout();
    }

    void Sort(int column)
    {
        tree_->GetColumn(column)->SortNodes(false);
        tree_->EnsureLayout();
    }

private:
    fw::Form form_;
    TILTree* tree_ = nullptr; // owned by the form
};

OurTree& FilledOurTree()
{
    static OurTree* tree = [] {
        auto* made = new OurTree;
        made->Fill();
        return made;
    }();
    return *tree;
}

void FillOurs(benchmark::State& state)
{
    OurTree tree;
    for (auto _ : state) {
        tree.Fill();
        state.PauseTiming();
        tree.Tree().Clear();
        tree.Tree().EnsureLayout();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}
BENCHMARK(FillOurs)->Unit(benchmark::kMillisecond);

void SortOurs(benchmark::State& state, int column)
{
    OurTree& tree = FilledOurTree();
    for (auto _ : state) {
        state.PauseTiming();
        tree.Sort(ShuffleColumn);
        state.ResumeTiming();
        tree.Sort(column);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void SortTextOurs(benchmark::State& state)
{
    SortOurs(state, NameColumn);
}
BENCHMARK(SortTextOurs)->Unit(benchmark::kMillisecond);

void SortIntegerOurs(benchmark::State& state)
{
    SortOurs(state, QuantityColumn);
}
BENCHMARK(SortIntegerOurs)->Unit(benchmark::kMillisecond);

void PaintOurs(benchmark::State& state)
{
    OurTree& tree = FilledOurTree();
    TILTree& grid = tree.Tree();
    TILTreeNode* middle = grid.Root()->GetItem(RowCount / 2);
    grid.SelectNode(middle, true, TILTreePlaceCentre);
    grid.EnsureLayout();
    for (auto _ : state) {
        grid.Invalidate();
        grid.Update();
        benchmark::DoNotOptimize(grid.BackingStore().Pixels().data());
    }
    grid.DeselectAll();
}
BENCHMARK(PaintOurs)->Unit(benchmark::kMillisecond);

// One row added to the sorted tree, and the layout brought up to date for it; nothing sorts.
void AddOneOurs(benchmark::State& state)
{
    OurTree& tree = FilledOurTree();
    tree.Sort(NameColumn);
    TILTree& grid = tree.Tree();
    for (auto _ : state) {
        grid.BeginUpdate();
        auto* node = new TILTreeNode(grid.Root());
        node->SetCellText(NameColumn, "added");
        node->SetCellText(QuantityColumn, "1");
        grid.EndUpdate();
        grid.EnsureLayout();
        state.PauseTiming();
        delete node;
        grid.EnsureLayout();
        state.ResumeTiming();
    }
}
BENCHMARK(AddOneOurs)->Unit(benchmark::kMillisecond);

// Expanding every node of a two-level tree of 100,000 rows (10,000 parents of 9 children):
// each expansion must cost about the same however many rows there are.
void ExpandAllOurs(benchmark::State& state)
{
    OurTree tree;
    TILTree& grid = tree.Tree();
    const int parents = RowCount / 10;
    grid.BeginUpdate();
    for (int p = 0; p < parents; ++p) {
        auto* parent = new TILTreeNode(grid.Root());
        parent->SetCellText(0, Rows()[static_cast<std::size_t>(p)].texts[0]);
        for (int c = 0; c < 9; ++c) {
            (new TILTreeNode(parent))->SetCellText(0, "child " + std::to_string(c));
        }
    }
    grid.EndUpdate();
    grid.EnsureLayout();
    for (auto _ : state) {
        grid.Root()->ExpandAll();
        grid.EnsureLayout();
        state.PauseTiming();
        grid.BeginUpdate();
        for (TILTreeNode* parent : grid.Root()->Children()) {
            parent->SetExpanded(false);
        }
        grid.EndUpdate();
        grid.EnsureLayout();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * parents);
}
BENCHMARK(ExpandAllOurs)->Unit(benchmark::kMillisecond);

// --- Qt -----------------------------------------------------------------------------------

QList<QStandardItem*> QtRow(const Row& row)
{
    QList<QStandardItem*> items;
    items.reserve(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c) {
        auto* item = new QStandardItem;
        if (c == QuantityColumn) {
            item->setData(row.quantity, Qt::DisplayRole);
        } else if (c == ShuffleColumn) {
            item->setData(row.shuffle, Qt::DisplayRole);
        } else {
            const std::string& text = row.texts[static_cast<std::size_t>(c)];
            item->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        }
        items.append(item);
    }
    return items;
}

// A view of the same size over a model of its own, shown on the offscreen platform.
class QtTree {
public:
    QtTree()
    {
        view_.setAttribute(Qt::WA_DontShowOnScreen);
        view_.resize(ViewWidth, ViewHeight);
        view_.setUniformRowHeights(true);
        view_.show();
        NewModel(true);
    }

    // A fresh model, attached to the view now or after filling.
    void NewModel(bool attach)
    {
        model_ = std::make_unique<QStandardItemModel>(0, ColumnCount);
        if (attach) {
            Attach();
        }
    }
    void Attach()
    {
        view_.setModel(model_.get());
        for (int c = 0; c < ColumnCount; ++c) {
            view_.setColumnWidth(c, c == 0 ? 260 : 150);
        }
    }

    void Fill()
    {
        for (const Row& row : Rows()) {
            model_->appendRow(QtRow(row));
        }
    }

    void Sort(int column) { model_->sort(column, Qt::AscendingOrder); }

    QTreeView& View() { return view_; }
    QStandardItemModel& Model() { return *model_; }

private:
    QTreeView view_;
    std::unique_ptr<QStandardItemModel> model_;
};

QtTree& FilledQtTree()
{
    static QtTree* tree = [] {
        auto* made = new QtTree;
        made->Fill();
        return made;
    }();
    return *tree;
}

// Rows appended one by one to a model the view shows, as a window fills its list.
void FillQt(benchmark::State& state)
{
    QtTree tree;
    for (auto _ : state) {
        tree.Fill();
        state.PauseTiming();
        tree.View().setModel(nullptr);
        tree.NewModel(true);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}
BENCHMARK(FillQt)->Unit(benchmark::kMillisecond);

// Qt's quicker way: the model filled first and then given to the view.
void FillQtDetached(benchmark::State& state)
{
    QtTree tree;
    for (auto _ : state) {
        state.PauseTiming();
        tree.View().setModel(nullptr);
        tree.NewModel(false);
        state.ResumeTiming();
        tree.Fill();
        tree.Attach();
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}
BENCHMARK(FillQtDetached)->Unit(benchmark::kMillisecond);

void SortQt(benchmark::State& state, int column)
{
    QtTree& tree = FilledQtTree();
    for (auto _ : state) {
        state.PauseTiming();
        tree.Sort(ShuffleColumn);
        state.ResumeTiming();
        tree.Sort(column);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void SortTextQt(benchmark::State& state)
{
    SortQt(state, NameColumn);
}
BENCHMARK(SortTextQt)->Unit(benchmark::kMillisecond);

void SortIntegerQt(benchmark::State& state)
{
    SortQt(state, QuantityColumn);
}
BENCHMARK(SortIntegerQt)->Unit(benchmark::kMillisecond);

void PaintQt(benchmark::State& state)
{
    QtTree& tree = FilledQtTree();
    const QModelIndex middle = tree.Model().index(RowCount / 2, 0);
    tree.View().setCurrentIndex(middle);
    tree.View().scrollTo(middle, QAbstractItemView::PositionAtCenter);
    QImage surface(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        tree.View().render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(PaintQt)->Unit(benchmark::kMillisecond);

// --- Summary ------------------------------------------------------------------------------

class CapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            if (run.error_occurred) {
                continue;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") {
                continue;
            }
            milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, double> milliseconds;
};

double Found(const std::map<std::string, double>& times, const std::string& name)
{
    const auto found = times.find(name);
    return found == times.end() ? -1 : found->second;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    char name[] = "bench_treegrid";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);
    InitControlLibrary();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& times = reporter.milliseconds;
    std::cout << "\nThe tree-grid against QTreeView over QStandardItemModel, " << RowCount << " rows of "
              << ColumnCount << " columns (ratio = ours / Qt, below 1 is faster):\n";
    const auto compare = [&](const std::string& label, double ours, double qt) {
        if (ours < 0 || qt < 0) {
            return;
        }
        const double ratio = ours / qt;
        std::cout << "  " << PadRight(label, 22) << " ours " << PadLeft(Fixed(ours, 2), 9) << " ms, Qt "
                  << PadLeft(Fixed(qt, 2), 9) << " ms, ratio " << Fixed(ratio, 2)
                  << (ratio <= 1.0 ? "  (target: at most 1, met)\n" : "  (target: at most 1, MISSED)\n");
    };
    // Qt's quicker filling is the yardstick.
    const double fillQt = Found(times, "FillQt");
    const double fillQtDetached = Found(times, "FillQtDetached");
    const double fillQtBest = fillQt < 0 ? fillQtDetached
                              : fillQtDetached < 0 ? fillQt
                                                    : std::min(fillQt, fillQtDetached);
    compare("fill", Found(times, "FillOurs"), fillQtBest);
    compare("sort by text", Found(times, "SortTextOurs"), Found(times, "SortTextQt"));
    compare("sort by integer", Found(times, "SortIntegerOurs"), Found(times, "SortIntegerQt"));
    const double paint = Found(times, "PaintOurs");
    if (paint >= 0) {
        std::cout << "  " << PadRight("paint one 1000 x 800", 22) << " ours " << PadLeft(Fixed(paint, 2), 9)
                  << " ms, Qt " << PadLeft(Fixed(Found(times, "PaintQt"), 2), 9) << " ms"
                  << (paint < 1000.0 / 60 ? "  (target: under 16.67 ms, met)\n" : "  (target: under 16.67 ms, MISSED)\n");
    }
    const double add = Found(times, "AddOneOurs");
    const double sort = Found(times, "SortTextOurs");
    if (add >= 0 && sort > 0) {
        std::cout << "  " << PadRight("add one to sorted", 22) << " ours " << PadLeft(Fixed(add, 3), 9)
                  << " ms, " << Fixed(100.0 * add / sort, 1) << "% of a sort"
                  << (add < sort / 4 ? "  (target: no re-sort, met)\n" : "  (target: no re-sort, MISSED)\n");
    }
    const double expandAll = Found(times, "ExpandAllOurs");
    const double fill = Found(times, "FillOurs");
    if (expandAll >= 0 && fill > 0) {
        std::cout << "  " << PadRight("expand all (10,000)", 22) << " ours " << PadLeft(Fixed(expandAll, 2), 9)
                  << " ms" << (expandAll < fill ? "  (target: linear, under the fill time, met)\n"
                                                  : "  (target: linear, under the fill time, MISSED)\n");
    }
    ShutdownControlLibrary();
    fw::SetDefaultPaintBackend(nullptr);
    return 0;
}
