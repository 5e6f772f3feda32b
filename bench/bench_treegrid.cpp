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
using bench::Verdict;

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

// A tree filled once and kept for the benchmarks that only sort or paint it, until main frees
// it before the libraries it stands on stop. Both sides' trees (below) answer Fill() and
// Sort(column).
template <class Tree>
std::unique_ptr<Tree>& FilledTreeSlot()
{
    static std::unique_ptr<Tree> tree;
    return tree;
}

template <class Tree>
Tree& FilledTree()
{
    std::unique_ptr<Tree>& tree = FilledTreeSlot<Tree>();
    if (!tree) {
        tree = std::make_unique<Tree>();
        tree->Fill();
    }
    return *tree;
}

// Each round scrambles the filled tree by the random key (untimed), then sorts it by the column.
template <class Tree>
void SortFilled(benchmark::State& state, int column)
{
    Tree& tree = FilledTree<Tree>();
    for (auto _ : state) {
        state.PauseTiming();
        tree.Sort(ShuffleColumn);
        state.ResumeTiming();
        tree.Sort(column);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
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

void SortTextOurs(benchmark::State& state)
{
    SortFilled<OurTree>(state, NameColumn);
}
BENCHMARK(SortTextOurs)->Unit(benchmark::kMillisecond);

void SortIntegerOurs(benchmark::State& state)
{
    SortFilled<OurTree>(state, QuantityColumn);
}
BENCHMARK(SortIntegerOurs)->Unit(benchmark::kMillisecond);

void PaintOurs(benchmark::State& state)
{
    OurTree& tree = FilledTree<OurTree>();
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
    OurTree& tree = FilledTree<OurTree>();
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

void SortTextQt(benchmark::State& state)
{
    SortFilled<QtTree>(state, NameColumn);
}
BENCHMARK(SortTextQt)->Unit(benchmark::kMillisecond);

void SortIntegerQt(benchmark::State& state)
{
    SortFilled<QtTree>(state, QuantityColumn);
}
BENCHMARK(SortIntegerQt)->Unit(benchmark::kMillisecond);

void PaintQt(benchmark::State& state)
{
    QtTree& tree = FilledTree<QtTree>();
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

    bench::CapturingReporter reporter;
    if (!bench::RunBenchmarks(argc, argv, reporter)) {
        return 1;
    }

    const auto timeOf = [&](const std::string& run) { return reporter.Time(run); };
    // Our time at the start of a summary line.
    const auto ourTime = [](const std::string& label, double ours, int decimals) {
        return "  " + PadRight(label, 22) + " ours " + PadLeft(Fixed(ours, decimals), 9) + " ms";
    };
    std::cout << "\nThe tree-grid against QTreeView over QStandardItemModel, " << RowCount << " rows of "
              << ColumnCount << " columns (ratio = ours / Qt, below 1 is faster):\n";
    const auto compare = [&](const std::string& label, double ours, double qt) {
        if (ours < 0 || qt < 0) {
            return;
        }
        const double ratio = ours / qt;
        std::cout << ourTime(label, ours, 2) << ", Qt " << PadLeft(Fixed(qt, 2), 9) << " ms, ratio "
                  << Fixed(ratio, 2) << Verdict("at most 1", ratio <= 1.0) << "\n";
    };
    // Qt's quicker filling is the yardstick.
    const double fillQt = timeOf("FillQt");
    const double fillQtDetached = timeOf("FillQtDetached");
    const double fillQtBest = fillQt < 0 ? fillQtDetached
                              : fillQtDetached < 0 ? fillQt
                                                    : std::min(fillQt, fillQtDetached);
    compare("fill", timeOf("FillOurs"), fillQtBest);
    compare("sort by text", timeOf("SortTextOurs"), timeOf("SortTextQt"));
    compare("sort by integer", timeOf("SortIntegerOurs"), timeOf("SortIntegerQt"));
    const double paint = timeOf("PaintOurs");
    if (paint >= 0) {
        std::cout << ourTime("paint one 1000 x 800", paint, 2) << ", Qt " << PadLeft(Fixed(timeOf("PaintQt"), 2), 9)
                  << " ms" << Verdict("under 16.67 ms", paint < 1000.0 / 60) << "\n";
    }
    const double add = timeOf("AddOneOurs");
    const double sort = timeOf("SortTextOurs");
    if (add >= 0 && sort > 0) {
        std::cout << ourTime("add one to sorted", add, 3) << ", " << Fixed(100.0 * add / sort, 1) << "% of a sort"
                  << Verdict("no re-sort", add < sort / 4) << "\n";
    }
    const double expandAll = timeOf("ExpandAllOurs");
    const double fill = timeOf("FillOurs");
    if (expandAll >= 0 && fill > 0) {
        std::cout << ourTime("expand all (10,000)", expandAll, 2)
                  << Verdict("linear, under the fill time", expandAll < fill) << "\n";
    }
    // The kept trees hold images of the control library and widgets of the application.
    FilledTreeSlot<OurTree>().reset();
    FilledTreeSlot<QtTree>().reset();
    ShutdownControlLibrary();
    fw::SetDefaultPaintBackend(nullptr);
    return 0;
}
