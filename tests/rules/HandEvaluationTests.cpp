// Hand classification, marking and the pay table.
#include "Rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sstream>
#include <string>

// Counts every allocation of the program so that a test can show the evaluator makes none.
namespace {
std::size_t allocationCount = 0;
}

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

using namespace MyGame;
using Marks = std::array<bool, handSize>;

enum Suit { clubs, diamonds, spades, hearts };
constexpr int ace = 1;
constexpr int jack = 11;
constexpr int queen = 12;
constexpr int king = 13;

constexpr CardCode Card(int rank, Suit suit)
{
    return rankCount * suit + rank;
}

constexpr Marks allMarked{true, true, true, true, true};
constexpr Marks noneMarked{};

std::string Describe(const Hand& cards)
{
    std::ostringstream text;
    for (const CardCode code : cards) {
        text << code << ' ';
    }
    return text.str();
}

std::string Describe(const Marks& marks)
{
    std::string text;
    for (const bool mark : marks) {
        text += mark ? 'x' : '.';
    }
    return text;
}

// The result must carry the pay table line of its own category.
::testing::AssertionResult MatchesPayTable(const HandResult& result)
{
    const auto index = static_cast<int>(result.category);
    if (index < 0 || index >= handCategoryCount) {
        return ::testing::AssertionFailure() << "category " << index << " out of range";
    }
    if (result.label == nullptr || std::strcmp(result.label, CategoryLabel(result.category)) != 0
        || result.multiplier != CategoryMultiplier(result.category)) {
        return ::testing::AssertionFailure() << "label or multiplier not those of category " << index;
    }
    return ::testing::AssertionSuccess();
}

TEST(PayTable, LabelsAndMultipliers)
{
    struct Line {
        HandCategory category;
        const char* label;
        std::int32_t multiplier;
    };
    const Line lines[] = {
        {HandCategory::RoyalFlush, "SCALA REALE", 250},
        {HandCategory::StraightFlush, "SCALA COLORE", 100},
        {HandCategory::Flush, "COLORE", 20},
        {HandCategory::Straight, "SCALA", 15},
        {HandCategory::FourOfAKind, "POKER", 50},
        {HandCategory::FullHouse, "FULL", 30},
        {HandCategory::ThreeOfAKind, "TRIS", 10},
        {HandCategory::TwoPair, "DOPPIA COPPIA", 2},
        {HandCategory::Pair, "COPPIA", 1},
        {HandCategory::Nothing, "", 0},
    };
    for (const Line& line : lines) {
        SCOPED_TRACE(static_cast<int>(line.category));
        EXPECT_STREQ(CategoryLabel(line.category), line.label);
        EXPECT_EQ(CategoryMultiplier(line.category), line.multiplier);
    }
}

TEST(EvaluateHand, EdgeCases)
{
    struct Case {
        const char* name;
        Hand cards;
        HandCategory category;
        Marks marked;
    };
    const Case cases[] = {
        {"wheel, mixed suits",
         {Card(3, spades), Card(ace, clubs), Card(5, clubs), Card(2, diamonds), Card(4, hearts)},
         HandCategory::Straight, allMarked},
        {"wheel, suited",
         {Card(2, hearts), Card(4, hearts), Card(ace, hearts), Card(5, hearts), Card(3, hearts)},
         HandCategory::StraightFlush, allMarked},
        {"ten to ace, mixed suits",
         {Card(ace, diamonds), Card(10, clubs), Card(king, clubs), Card(jack, spades), Card(queen, hearts)},
         HandCategory::Straight, allMarked},
        {"ten to ace, suited",
         {Card(queen, spades), Card(ace, spades), Card(10, spades), Card(king, spades), Card(jack, spades)},
         HandCategory::RoyalFlush, allMarked},
        {"nine to king, suited",
         {Card(king, diamonds), Card(9, diamonds), Card(jack, diamonds), Card(10, diamonds), Card(queen, diamonds)},
         HandCategory::StraightFlush, allMarked},
        {"four to eight, mixed suits",
         {Card(8, clubs), Card(6, diamonds), Card(4, clubs), Card(7, hearts), Card(5, spades)},
         HandCategory::Straight, allMarked},
        {"jack to two around the ace, mixed suits",
         {Card(jack, clubs), Card(queen, diamonds), Card(king, spades), Card(ace, hearts), Card(2, clubs)},
         HandCategory::Nothing, noneMarked},
        {"queen to three around the ace, mixed suits",
         {Card(3, clubs), Card(queen, diamonds), Card(ace, spades), Card(king, hearts), Card(2, clubs)},
         HandCategory::Nothing, noneMarked},
        {"jack to two around the ace, suited",
         {Card(jack, clubs), Card(queen, clubs), Card(king, clubs), Card(ace, clubs), Card(2, clubs)},
         HandCategory::Flush, allMarked},
        {"five hearts, no run",
         {Card(2, hearts), Card(9, hearts), Card(jack, hearts), Card(5, hearts), Card(king, hearts)},
         HandCategory::Flush, allMarked},
        {"four to a flush",
         {Card(2, hearts), Card(9, hearts), Card(jack, hearts), Card(5, hearts), Card(king, spades)},
         HandCategory::Nothing, noneMarked},
        {"pair of twos",
         {Card(9, clubs), Card(2, diamonds), Card(jack, spades), Card(2, hearts), Card(king, clubs)},
         HandCategory::Pair, {false, true, false, true, false}},
        {"pair of aces",
         {Card(ace, clubs), Card(7, diamonds), Card(8, spades), Card(queen, hearts), Card(ace, spades)},
         HandCategory::Pair, {true, false, false, false, true}},
        {"four to a straight with a pair",
         {Card(5, clubs), Card(6, diamonds), Card(7, spades), Card(8, hearts), Card(8, clubs)},
         HandCategory::Pair, {false, false, false, true, true}},
        {"two pair, odd card in the middle",
         {Card(4, clubs), Card(jack, diamonds), Card(9, spades), Card(4, hearts), Card(jack, clubs)},
         HandCategory::TwoPair, {true, true, false, true, true}},
        {"two pair with aces",
         {Card(ace, clubs), Card(king, diamonds), Card(ace, spades), Card(king, hearts), Card(2, clubs)},
         HandCategory::TwoPair, {true, true, true, true, false}},
        {"three of a kind",
         {Card(7, clubs), Card(3, diamonds), Card(7, spades), Card(queen, hearts), Card(7, hearts)},
         HandCategory::ThreeOfAKind, {true, false, true, false, true}},
        {"full house",
         {Card(6, clubs), Card(10, diamonds), Card(6, spades), Card(10, hearts), Card(6, hearts)},
         HandCategory::FullHouse, allMarked},
        {"full house, aces over kings",
         {Card(king, clubs), Card(ace, diamonds), Card(ace, spades), Card(king, hearts), Card(ace, hearts)},
         HandCategory::FullHouse, allMarked},
        {"four of a kind",
         {Card(9, clubs), Card(9, diamonds), Card(3, spades), Card(9, spades), Card(9, hearts)},
         HandCategory::FourOfAKind, {true, true, false, true, true}},
        {"four aces, king kicker first",
         {Card(king, clubs), Card(ace, diamonds), Card(ace, clubs), Card(ace, spades), Card(ace, hearts)},
         HandCategory::FourOfAKind, {false, true, true, true, true}},
        {"nothing",
         {Card(2, clubs), Card(9, diamonds), Card(jack, spades), Card(5, hearts), Card(king, clubs)},
         HandCategory::Nothing, noneMarked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HandResult result = EvaluateHand(c.cards);
        EXPECT_EQ(result.category, c.category);
        EXPECT_EQ(Describe(result.marked), Describe(c.marked));
        EXPECT_TRUE(MatchesPayTable(result));
    }
}

TEST(EvaluateHand, CodesOutsideThePackDoNotBreakIt)
{
    // Only reachable through a damaged card tag or an exhausted deck (code 0). Any category is
    // acceptable; the evaluator must stay in bounds and report a coherent result.
    const Hand hands[] = {
        {0, 0, 0, 0, 0},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MAX, 0, -1, 53},
        {INT_MIN + 1, INT_MAX - 1, -13, -14, 1000},
        {1, 2, 3, 4, INT_MIN},
        {INT_MAX, 13, 12, 11, 10},
        {-12, -11, -10, -9, -8},
        {0, 13, 26, 39, 52},
        {1, 1, 1, 1, 1},
        {53, 54, 55, 56, 57},
    };
    for (const Hand& cards : hands) {
        SCOPED_TRACE(Describe(cards));
        EXPECT_TRUE(MatchesPayTable(EvaluateHand(cards)));
    }
}

TEST(EvaluateHand, AllocatesNothing)
{
    const Hand hands[] = {
        {Card(ace, clubs), Card(2, clubs), Card(3, clubs), Card(4, clubs), Card(5, clubs)},
        {Card(4, clubs), Card(jack, diamonds), Card(9, spades), Card(4, hearts), Card(jack, clubs)},
        {Card(king, clubs), Card(ace, diamonds), Card(ace, spades), Card(king, hearts), Card(ace, hearts)},
        {Card(2, clubs), Card(9, diamonds), Card(jack, spades), Card(5, hearts), Card(king, clubs)},
    };
    const std::size_t before = allocationCount;
    std::int32_t paid = 0;
    for (const Hand& cards : hands) {
        paid += EvaluateHand(cards).multiplier;
    }
    EXPECT_EQ(allocationCount, before);
    EXPECT_EQ(paid, 100 + 2 + 30 + 0);
}

// Classifies a hand of valid codes by a different route: rank counts and a bit set of ranks.
struct Expectation {
    HandCategory category;
    Marks marked;
};

Expectation Classify(const Hand& cards)
{
    constexpr unsigned tenToAce = (1u << 1) | (1u << 10) | (1u << 11) | (1u << 12) | (1u << 13);
    std::array<int, 14> rankCounts{};
    std::array<int, handSize> ranks{};
    unsigned rankBits = 0;
    bool sameSuit = true;
    for (std::size_t position = 0; position < cards.size(); ++position) {
        ranks[position] = (cards[position] - 1) % 13 + 1;
        ++rankCounts[static_cast<std::size_t>(ranks[position])];
        rankBits |= 1u << ranks[position];
        sameSuit = sameSuit && (cards[position] - 1) / 13 == (cards[0] - 1) / 13;
    }
    int pairs = 0;
    int largestGroup = 0;
    for (const int count : rankCounts) {
        pairs += count == 2 ? 1 : 0;
        largestGroup = std::max(largestGroup, count);
    }
    const unsigned lowestBit = rankBits & (0u - rankBits);
    const bool straight = rankBits / lowestBit == 0x1Fu || rankBits == tenToAce;

    if (sameSuit || straight) {
        HandCategory category = HandCategory::Straight;
        if (sameSuit && rankBits == tenToAce) {
            category = HandCategory::RoyalFlush;
        } else if (sameSuit && straight) {
            category = HandCategory::StraightFlush;
        } else if (sameSuit) {
            category = HandCategory::Flush;
        }
        return {category, allMarked};
    }

    HandCategory category = HandCategory::Nothing;
    if (largestGroup == 4) {
        category = HandCategory::FourOfAKind;
    } else if (largestGroup == 3) {
        category = pairs == 1 ? HandCategory::FullHouse : HandCategory::ThreeOfAKind;
    } else if (pairs == 2) {
        category = HandCategory::TwoPair;
    } else if (pairs == 1) {
        category = HandCategory::Pair;
    }
    Marks marked{};
    for (std::size_t position = 0; position < cards.size(); ++position) {
        marked[position] = rankCounts[static_cast<std::size_t>(ranks[position])] >= 2;
    }
    return {category, marked};
}

TEST(EvaluateHand, EveryHandOfThePack)
{
    // The same hand laid out in other orders: the category stays, the marks move with the cards.
    constexpr std::array<std::array<std::size_t, handSize>, 3> layouts{{
        {4, 3, 2, 1, 0},
        {2, 3, 4, 0, 1},
        {1, 4, 0, 3, 2},
    }};

    std::array<long, handCategoryCount> counts{};
    long wrong = 0;
    std::string firstWrong;
    const auto fault = [&](const Hand& cards, const char* what) {
        if (wrong++ == 0) {
            firstWrong = Describe(cards) + what;
        }
    };

    Hand cards{};
    for (cards[0] = 1; cards[0] <= cardCount; ++cards[0]) {
        for (cards[1] = cards[0] + 1; cards[1] <= cardCount; ++cards[1]) {
            for (cards[2] = cards[1] + 1; cards[2] <= cardCount; ++cards[2]) {
                for (cards[3] = cards[2] + 1; cards[3] <= cardCount; ++cards[3]) {
                    for (cards[4] = cards[3] + 1; cards[4] <= cardCount; ++cards[4]) {
                        const HandResult result = EvaluateHand(cards);
                        const Expectation expected = Classify(cards);
                        ++counts[static_cast<std::size_t>(result.category)];
                        if (result.category != expected.category) {
                            fault(cards, "wrong category");
                        } else if (result.marked != expected.marked) {
                            fault(cards, "wrong marks");
                        } else if (!MatchesPayTable(result)) {
                            fault(cards, "wrong pay table line");
                        }
                        for (const auto& layout : layouts) {
                            Hand moved{};
                            Marks movedMarks{};
                            for (std::size_t position = 0; position < moved.size(); ++position) {
                                moved[position] = cards[layout[position]];
                                movedMarks[position] = result.marked[layout[position]];
                            }
                            const HandResult movedResult = EvaluateHand(moved);
                            if (movedResult.category != result.category || movedResult.marked != movedMarks) {
                                fault(moved, "differs from the same cards in order");
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "first: " << firstWrong;

    struct Count {
        HandCategory category;
        long hands;
    };
    const Count expectedCounts[] = {
        {HandCategory::RoyalFlush, 4},
        {HandCategory::StraightFlush, 36},
        {HandCategory::FourOfAKind, 624},
        {HandCategory::FullHouse, 3744},
        {HandCategory::Flush, 5108},
        {HandCategory::Straight, 10200},
        {HandCategory::ThreeOfAKind, 54912},
        {HandCategory::TwoPair, 123552},
        {HandCategory::Pair, 1098240},
        {HandCategory::Nothing, 1302540},
    };
    long total = 0;
    for (const Count& count : expectedCounts) {
        EXPECT_EQ(counts[static_cast<std::size_t>(count.category)], count.hands)
            << CategoryLabel(count.category);
        total += counts[static_cast<std::size_t>(count.category)];
    }
    EXPECT_EQ(total, 2598960);
}

} // namespace
