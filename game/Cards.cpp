#include "Rules.h"

#include <algorithm>
#include <ctime>

namespace MyGame {

namespace {

// State of the game's linear congruential generator. Unsigned arithmetic wraps, so every
// platform produces the same sequence from the same seed.
std::uint32_t generatorState = 1;

} // namespace

bool seeded = false;

SheetCell CardCell(CardCode code)
{
    return {RankOf(code) - 1, SuitOf(code)};
}

void SeedGenerator(std::uint32_t seed)
{
    generatorState = seed;
    seeded = true;
}

int NextRandom()
{
    generatorState = generatorState * 1103515245u + 12345u;
    return static_cast<int>((generatorState >> 16) & 0x7FFFu);
}

void ShuffleDeck(Deck& deck)
{
    deck.clear();
    deck.reserve(cardCount);
    while (deck.size() < static_cast<std::size_t>(cardCount)) {
        if (!seeded) {
            // Low 32 bits of the seconds since 1970.
            SeedGenerator(static_cast<std::uint32_t>(std::time(nullptr)));
        }
        const CardCode drawn = NextRandom() % cardCount + 1;
        if (std::find(deck.begin(), deck.end(), drawn) == deck.end()) {
            deck.push_back(drawn);
        }
    }
}

CardCode DealCard(Deck& deck)
{
    if (deck.empty()) {
        return 0;
    }
    const CardCode card = deck.back();
    deck.pop_back();
    return card;
}

} // namespace MyGame
