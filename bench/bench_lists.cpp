// Sorted insertion and sorting of owning lists, the shape of the card, pack and browser
// lists: a sorted list grows one item at a time, and a whole list is sorted at once.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "foundation/enhanced_list.h"

namespace {

class Keyed : public fw::Object {
public:
    explicit Keyed(std::uint32_t value) : key(value) {}
    std::uint32_t key;
};

int CompareKeys(fw::Object* a, fw::Object* b)
{
    const auto x = static_cast<Keyed*>(a)->key;
    const auto y = static_cast<Keyed*>(b)->key;
    return x < y ? -1 : (x > y ? 1 : 0);
}

std::uint32_t NextKey(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void SortedInsertion(benchmark::State& state)
{
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TEnhancedList list;
        list.SetOnCompare(CompareKeys);
        list.SetSorted(true);
        std::uint32_t seed = 1;
        for (int i = 0; i < count; ++i) {
            list.Add(new Keyed(NextKey(seed)));
        }
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(SortedInsertion)->Arg(1000)->Arg(10000);

void SortWholeList(benchmark::State& state)
{
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TEnhancedList list;
        std::uint32_t seed = 7;
        for (int i = 0; i < count; ++i) {
            list.Add(new Keyed(NextKey(seed)));
        }
        state.ResumeTiming();
        list.SortWith(CompareKeys);
        benchmark::DoNotOptimize(list.Sorted());
        state.PauseTiming();
        list.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(SortWholeList)->Arg(10000)->Arg(100000);

} // namespace
