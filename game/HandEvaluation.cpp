#include "Rules.h"

namespace MyGame {

namespace {

struct PayLine {
    const char* label;
    std::int32_t multiplier;
};

// Indexed by HandCategory.
constexpr std::array<PayLine, handCategoryCount> payTable{{
    {"SCALA REALE", 250},
    {"SCALA COLORE", 100},
    {"COLORE", 20},
    {"SCALA", 15},
    {"POKER", 50},
    {"FULL", 30},
    {"TRIS", 10},
    {"DOPPIA COPPIA", 2},
    {"COPPIA", 1},
    {"", 0},
}};

const PayLine& PayLineOf(HandCategory category)
{
    const auto index = static_cast<std::size_t>(category);
    return index < payTable.size() ? payTable[index] : payTable.back();
}

HandResult MakeResult(HandCategory category, const std::array<bool, handSize>& marked)
{
    const PayLine& line = PayLineOf(category);
    return {category, line.label, line.multiplier, marked};
}

// Sorts five ranks highest first: a fixed network of nine compare-exchanges, branch-free.
void SortDescending(std::array<int, handSize>& ranks)
{
    constexpr std::size_t network[][2] = {
        {0, 1}, {3, 4}, {2, 4}, {2, 3}, {0, 3}, {0, 2}, {1, 4}, {1, 3}, {1, 2},
    };
    for (const auto& pair : network) {
        const int first = ranks[pair[0]];
        const int second = ranks[pair[1]];
        const bool ordered = first >= second;
        ranks[pair[0]] = ordered ? first : second;
        ranks[pair[1]] = ordered ? second : first;
    }
}

} // namespace

const char* CategoryLabel(HandCategory category)
{
    return PayLineOf(category).label;
}

std::int32_t CategoryMultiplier(HandCategory category)
{
    return PayLineOf(category).multiplier;
}

HandResult EvaluateHand(const Hand& cards)
{
    // Branches that depend on the cards are avoided where that is cheap: with random cards
    // they are mispredicted half the time.
    const int referenceSuit = SuitOf(cards[0]);
    int offSuit = 0;
    std::array<int, handSize> rankAt{};
    for (std::size_t position = 0; position < cards.size(); ++position) {
        offSuit += SuitOf(cards[position]) != referenceSuit ? 1 : 0;
        rankAt[position] = RankOf(cards[position]);
    }
    const bool flush = offSuit == 0;

    // Once the suits are checked, only the ranks of the cards matter, highest first.
    std::array<int, handSize> ranks = rankAt;
    SortDescending(ranks);
    const bool straight = ranks[1] == ranks[0] - 1 && ranks[2] == ranks[1] - 1
        && ranks[3] == ranks[2] - 1
        // The ace sorts last as the lowest rank; it also closes ten-jack-queen-king.
        && (ranks[4] == ranks[3] - 1 || (ranks[4] == aceRank && ranks[0] == kingRank));

    if (flush || straight) {
        HandCategory category = HandCategory::Straight;
        if (flush && !straight) {
            category = HandCategory::Flush;
        } else if (flush) {
            category = ranks[0] == kingRank && ranks[4] == aceRank ? HandCategory::RoyalFlush
                                                                   : HandCategory::StraightFlush;
        }
        return MakeResult(category, {true, true, true, true, true});
    }

    // Rank groups, highest rank first. The ranks are sorted, so each card either joins the
    // group started last or starts the next one; only the sizes of the groups matter.
    std::array<int, handSize> groupSizes{};
    std::size_t lastGroup = 0;
    groupSizes[0] = 1;
    for (std::size_t index = 1; index < ranks.size(); ++index) {
        lastGroup += ranks[index] != ranks[index - 1] ? 1 : 0;
        ++groupSizes[lastGroup];
    }

    int fours = 0;
    int threes = 0;
    int pairs = 0;
    for (const int size : groupSizes) {
        fours += size == 4 ? 1 : 0;
        threes += size == 3 ? 1 : 0;
        pairs += size == 2 ? 1 : 0;
    }

    HandCategory category = HandCategory::Nothing;
    if (fours > 0) {
        category = HandCategory::FourOfAKind;
    } else if (threes > 0 && pairs > 0) {
        category = HandCategory::FullHouse;
    } else if (threes > 0) {
        category = HandCategory::ThreeOfAKind;
    } else if (pairs >= 2) {
        category = HandCategory::TwoPair;
    } else if (pairs == 1) {
        category = HandCategory::Pair;
    }

    // A card is part of the combination when its rank group holds two or more cards, that is
    // when some other card has its rank.
    std::array<bool, handSize> marked{};
    for (std::size_t position = 0; position < cards.size(); ++position) {
        int sameRank = 0;
        for (const int rank : rankAt) {
            sameRank += rank == rankAt[position] ? 1 : 0;
        }
        marked[position] = sameRank >= 2;
    }
    return MakeResult(category, marked);
}

} // namespace MyGame
