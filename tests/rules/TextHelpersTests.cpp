// The narrow text helpers that carry the score, the bet and card codes.
#include "Rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>
#include <locale>
#include <sstream>

namespace {

using namespace MyGame;
using Pieces = std::vector<std::string>;

TEST(SplitString, PiecesForEachRule)
{
    struct Case {
        const char* text;
        const char* delimiter;
        Pieces pieces;
    };
    const Case cases[] = {
        {"Punteggio: 100", ":", {"Punteggio", " 100"}},
        {"Puntata: 10", ":", {"Puntata", " 10"}},
        {"", ":", {}},
        {"abc", "", {}},
        {"", "", {}},
        {"abc", ":", {"abc"}},
        {":abc", ":", {"", "abc"}},
        {"a::b", ":", {"a", "", "b"}},
        {"a:b:", ":", {"a", "b"}},
        {":", ":", {""}},
        {"::", ":", {"", ""}},
        {"a, b, c", ", ", {"a", "b", "c"}},
        {"aaa", "aa", {"", "a"}},
        {"x", "xyz", {"x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" on \"" + c.delimiter + "\"");
        EXPECT_EQ(SplitString(c.text, c.delimiter), c.pieces);
    }
}

TEST(IntToString, DecimalWithMinusSign)
{
    struct Case {
        std::int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {7, "7"},
        {-7, "-7"},
        {100, "100"},
        {1000000, "1000000"},
        {INT_MAX, "2147483647"},
        {INT_MIN, "-2147483648"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntToString(c.value), c.text);
    }
}

TEST(FormatInt64, DecimalOverTheWholeRange)
{
    struct Case {
        std::int64_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {52, "52"},
        {-1, "-1"},
        {4294967296, "4294967296"},
        {-4294967296, "-4294967296"},
        {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatInt64(c.value), c.text);
    }
}

TEST(StringToDouble, ReadsLikeAStream)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {" 42abc", 42.0},
        {"-7", -7.0},
        {"abc", 0.0},
        {"", 0.0},
        {"   ", 0.0},
        {" 100", 100.0},
        {"3.5", 3.5},
        {"  -0.25", -0.25},
        {"+8", 8.0},
        {"1e3", 1000.0},
        {"3,5", 3.0},
        {"12 34", 12.0},
        {"-", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(StringToDouble(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(StringToDouble, AgreesWithStreamExtraction)
{
    const char* const texts[] = {
        "1e", "1e+", "1E-2x", ".5", "5.", ".", "-.", "+.e3", "0x10", "inf", "-nan", "1e400",
        "-1e400", "1e-400", "\t\n\v\f\r 7", "00012", "1.2.3", "--1", "+-1", "9999999999999999999",
        "123456789.987654321e-5", " 2 e3", "e5", "0.000001",
    };
    for (const char* text : texts) {
        std::istringstream stream(text);
        stream.imbue(std::locale::classic());
        double expected = 0.0;
        stream >> expected;
        EXPECT_DOUBLE_EQ(StringToDouble(text), expected) << '"' << text << '"';
    }
}

TEST(TextHelpers, NumberAfterTheColonOfALabel)
{
    struct Case {
        std::string label;
        double number;
    };
    const Case cases[] = {
        {"Punteggio: " + IntToString(100), 100.0},
        {"Punteggio: " + IntToString(-4), -4.0},
        {"Puntata: " + FormatInt64(10), 10.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Pieces pieces = SplitString(c.label, ":");
        ASSERT_EQ(pieces.size(), 2u);
        EXPECT_DOUBLE_EQ(StringToDouble(pieces[1]), c.number);
    }
}

} // namespace
