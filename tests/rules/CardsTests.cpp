// Card codes, the card sheet, the shuffle and dealing.
#include "Rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ctime>
#include <iterator>
#include <numeric>
#include <ostream>

namespace MyGame {

// Lets failed comparisons show the cell instead of its bytes.
void PrintTo(const SheetCell& cell, std::ostream* out)
{
    *out << "(column " << cell.column << ", row " << cell.row << ")";
}

} // namespace MyGame

namespace {

using namespace MyGame;

Deck FullPack()
{
    Deck pack(cardCount);
    std::iota(pack.begin(), pack.end(), 1);
    return pack;
}

bool HoldsEachCodeOnce(Deck deck)
{
    std::sort(deck.begin(), deck.end());
    return deck == FullPack();
}

Deck ShuffledWithSeed(std::uint32_t seed)
{
    SeedGenerator(seed);
    Deck deck;
    ShuffleDeck(deck);
    return deck;
}

TEST(CardCode, KnownCardsAndTheirSheetCells)
{
    struct Case {
        CardCode code;
        int rank;
        int suit;
        SheetCell cell;
    };
    const Case cases[] = {
        {1, 1, 0, {0, 0}},    // ace of clubs
        {13, 13, 0, {12, 0}}, // king of clubs
        {14, 1, 1, {0, 1}},   // ace of diamonds
        {26, 13, 1, {12, 1}}, // king of diamonds
        {27, 1, 2, {0, 2}},   // ace of spades
        {40, 1, 3, {0, 3}},   // ace of hearts
        {52, 13, 3, {12, 3}}, // king of hearts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(RankOf(c.code), c.rank);
        EXPECT_EQ(SuitOf(c.code), c.suit);
        EXPECT_EQ(CardCell(c.code), c.cell);
    }
}

TEST(CardCode, EveryCodeSplitsIntoRankAndSuit)
{
    for (CardCode code = 1; code <= cardCount; ++code) {
        SCOPED_TRACE(code);
        const int rank = RankOf(code);
        const int suit = SuitOf(code);
        EXPECT_GE(rank, aceRank);
        EXPECT_LE(rank, kingRank);
        EXPECT_GE(suit, 0);
        EXPECT_LT(suit, suitCount);
        EXPECT_EQ(rankCount * suit + rank, code);
        EXPECT_EQ(CardCell(code), (SheetCell{rank - 1, suit}));
    }
}

TEST(CardCode, CodesOutsideThePackStayConsistent)
{
    // Such codes come only from an empty deck or a damaged tag; they must not overflow.
    const CardCode codes[] = {0, -1, -12, -13, -14, 53, 65, 1000, INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1};
    for (const CardCode code : codes) {
        SCOPED_TRACE(code);
        EXPECT_EQ((static_cast<std::int64_t>(code) - RankOf(code)) % rankCount, 0);
        EXPECT_EQ(CardCell(code), (SheetCell{RankOf(code) - 1, SuitOf(code)}));
    }
}

TEST(Generator, OutputsCoverFifteenBits)
{
    SeedGenerator(7);
    int allBits = 0;
    bool inRange = true;
    for (int draw = 0; draw < 10000; ++draw) {
        const int value = NextRandom();
        inRange = inRange && value >= 0 && value <= 0x7FFF;
        allBits |= value;
    }
    EXPECT_TRUE(inRange);
    EXPECT_EQ(allBits, 0x7FFF);
}

TEST(Shuffle, GivesEachCodeOnceWhateverTheDeckHeld)
{
    Deck partlyDealt = ShuffledWithSeed(3);
    for (int card = 0; card < 10; ++card) {
        DealCard(partlyDealt);
    }
    struct Case {
        const char* name;
        Deck before;
    };
    const Case cases[] = {
        {"empty", {}},
        {"already full", FullPack()},
        {"partly dealt", partlyDealt},
        {"junk codes", {0, -5, 53, INT_MIN, INT_MAX, 7, 7, 7}},
        {"longer than a pack", Deck(200, 1)},
    };
    SeedGenerator(11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Deck deck = c.before;
        ShuffleDeck(deck);
        EXPECT_EQ(deck.size(), static_cast<std::size_t>(cardCount));
        EXPECT_TRUE(HoldsEachCodeOnce(deck));
    }
}

TEST(Shuffle, SameSeedSameOrderOtherSeedOtherOrder)
{
    const std::uint32_t seeds[] = {0u, 1u, 2u, 20240229u, 0xFFFFFFFFu};
    for (const std::uint32_t seed : seeds) {
        SCOPED_TRACE(seed);
        EXPECT_EQ(ShuffledWithSeed(seed), ShuffledWithSeed(seed));
    }
    for (std::size_t index = 1; index < std::size(seeds); ++index) {
        EXPECT_NE(ShuffledWithSeed(seeds[index - 1]), ShuffledWithSeed(seeds[index]))
            << seeds[index - 1] << " and " << seeds[index];
    }
}

TEST(Shuffle, KeepsTheFirstDrawOfEachCodeInDrawOrder)
{
    const std::uint32_t seeds[] = {5u, 99u, 0xDEADBEEFu};
    for (const std::uint32_t seed : seeds) {
        SCOPED_TRACE(seed);
        SeedGenerator(seed);
        Deck expected;
        while (expected.size() < static_cast<std::size_t>(cardCount)) {
            const CardCode drawn = NextRandom() % cardCount + 1;
            if (std::count(expected.begin(), expected.end(), drawn) == 0) {
                expected.push_back(drawn);
            }
        }
        EXPECT_EQ(ShuffledWithSeed(seed), expected);
    }
}

TEST(Shuffle, SeedsFromTheClockOncePerProcess)
{
    const std::time_t before = std::time(nullptr);
    seeded = false;
    Deck first;
    ShuffleDeck(first);
    EXPECT_TRUE(seeded);
    Deck second;
    ShuffleDeck(second);
    const std::time_t after = std::time(nullptr);

    bool matchedClockSeed = false;
    for (std::time_t seconds = before; seconds <= after && !matchedClockSeed; ++seconds) {
        const Deck replayFirst = ShuffledWithSeed(static_cast<std::uint32_t>(seconds));
        if (replayFirst == first) {
            matchedClockSeed = true;
            Deck replaySecond;
            ShuffleDeck(replaySecond);
            EXPECT_EQ(second, replaySecond) << "the second shuffle must continue the sequence";
        }
    }
    EXPECT_TRUE(matchedClockSeed) << "the first shuffle must seed with the time in seconds";
    EXPECT_NE(first, second) << "the second shuffle must not reseed";

    seeded = false;
    SeedGenerator(5);
    EXPECT_TRUE(seeded);
}

TEST(Deal, TakesCardsFromTheEndLastFirst)
{
    Deck deck = ShuffledWithSeed(17);
    const Deck shuffled = deck;
    for (std::size_t dealt = 1; dealt <= 5; ++dealt) {
        EXPECT_EQ(DealCard(deck), shuffled[shuffled.size() - dealt]);
    }
    EXPECT_EQ(deck, Deck(shuffled.begin(), shuffled.end() - 5));
}

TEST(Deal, GivesZeroOnceTheDeckIsEmpty)
{
    Deck deck = ShuffledWithSeed(23);
    Deck dealt;
    for (int card = 0; card < cardCount; ++card) {
        dealt.push_back(DealCard(deck));
    }
    EXPECT_TRUE(HoldsEachCodeOnce(dealt));
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(DealCard(deck), 0);
        EXPECT_TRUE(deck.empty());
    }
}

} // namespace
