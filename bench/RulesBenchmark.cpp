// Speed of the two rules that run on every hand: classifying five cards and shuffling.
#include "Rules.h"

#include <benchmark/benchmark.h>

namespace {

using namespace MyGame;

constexpr double handsOfThePack = 2598960;

// One iteration classifies every five-card hand of the pack once.
void ClassifyEveryHand(benchmark::State& state)
{
    for (auto _ : state) {
        Hand cards{};
        for (cards[0] = 1; cards[0] <= cardCount; ++cards[0]) {
            for (cards[1] = cards[0] + 1; cards[1] <= cardCount; ++cards[1]) {
                for (cards[2] = cards[1] + 1; cards[2] <= cardCount; ++cards[2]) {
                    for (cards[3] = cards[2] + 1; cards[3] <= cardCount; ++cards[3]) {
                        for (cards[4] = cards[3] + 1; cards[4] <= cardCount; ++cards[4]) {
                            HandResult result = EvaluateHand(cards);
                            benchmark::DoNotOptimize(result);
                        }
                    }
                }
            }
        }
    }
    // Inverted rate: seconds per hand.
    state.counters["per_hand"] = benchmark::Counter(
        handsOfThePack, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(ClassifyEveryHand)->Unit(benchmark::kMillisecond);

void ShuffleOnce(benchmark::State& state)
{
    SeedGenerator(1);
    Deck deck;
    for (auto _ : state) {
        ShuffleDeck(deck);
        benchmark::DoNotOptimize(deck.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ShuffleOnce)->Unit(benchmark::kNanosecond);

} // namespace
