// The game rules of Vantor Poker: cards and deck, the shuffle, the classification of a
// five-card hand with its pay table, and the narrow text helpers the game keeps its numbers
// in. Nothing here touches a window, so the rules build and run on any host.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace MyGame {

// Cards

// One card of a single 52-card pack: 13 * suit + rank, suits clubs, diamonds, spades, hearts
// = 0..3, ranks ace = 1 .. king = 13.
using CardCode = std::int32_t;

constexpr int rankCount = 13;
constexpr int suitCount = 4;
constexpr int cardCount = rankCount * suitCount;
constexpr int aceRank = 1;
constexpr int kingRank = 13;

// For codes 1..52 these give the rank 1..13 and the suit 0..3. Any other code yields some
// value without overflow, so a stray 0 or garbage from a card view's text is harmless.
// Inline: the evaluator calls them for every card.
inline int RankOf(CardCode code)
{
    const int remainder = code % rankCount;
    return remainder == 0 ? kingRank : remainder;
}

inline int SuitOf(CardCode code)
{
    // Widened so that code - 1 cannot overflow for the most negative code.
    return static_cast<int>((static_cast<std::int64_t>(code) - 1) / rankCount);
}

// A cell of the card sheet: columns 0..12 are ace..king, rows 0..3 are the suits.
struct SheetCell {
    int column;
    int row;
};

constexpr bool operator==(const SheetCell& left, const SheetCell& right)
{
    return left.column == right.column && left.row == right.row;
}

constexpr bool operator!=(const SheetCell& left, const SheetCell& right)
{
    return !(left == right);
}

SheetCell CardCell(CardCode code);

// The face-down card.
constexpr SheetCell cardBackCell{13, 0};

// Deck and shuffle

// Cards are dealt from the end.
using Deck = std::vector<CardCode>;

// True once the shuffle generator has been seeded; the first shuffle of the process seeds it
// from the clock and it is never reseeded after that.
extern bool seeded;

// Seeds the game's own generator and sets `seeded`; the same seed gives the same shuffles on
// every platform.
void SeedGenerator(std::uint32_t seed);

// Next generator output, 0..32767.
int NextRandom();

// Refills the deck with all 52 codes in random order (rejection sampling: draws that repeat a
// code already in the deck are discarded).
void ShuffleDeck(Deck& deck);

// Removes and returns the last card; 0 when the deck is empty.
CardCode DealCard(Deck& deck);

// Hand evaluation and pay table

// In the order in which a hand is tested.
enum class HandCategory {
    RoyalFlush,
    StraightFlush,
    Flush,
    Straight,
    FourOfAKind,
    FullHouse,
    ThreeOfAKind,
    TwoPair,
    Pair,
    Nothing
};

constexpr int handCategoryCount = static_cast<int>(HandCategory::Nothing) + 1;
constexpr int handSize = 5;

using Hand = std::array<CardCode, handSize>;

struct HandResult {
    HandCategory category;
    const char* label;       // pay table text, "" for Nothing
    std::int32_t multiplier; // pay table multiplier, 0 for Nothing
    std::array<bool, handSize> marked; // positions that form the combination
};

// Classifies five codes given in table order, left to right. Pure, allocates nothing.
HandResult EvaluateHand(const Hand& cards);

const char* CategoryLabel(HandCategory category);
std::int32_t CategoryMultiplier(HandCategory category);

// Text helpers

// Each delimiter ends a piece (empty pieces included); the rest after the last delimiter is a
// piece only when it is not empty. Empty text or delimiter gives no pieces.
std::vector<std::string> SplitString(const std::string& text, const std::string& delimiter);

// Plain decimal, '-' when negative.
std::string IntToString(std::int32_t value);

// Skips leading white space and reads a number as a stream would in the classic locale;
// 0 when no number can be read.
double StringToDouble(const std::string& text);

// Plain decimal like "%I64d", without relying on the C runtime's printf.
std::string FormatInt64(std::int64_t value);

} // namespace MyGame
