#include "Rules.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace MyGame {

std::vector<std::string> SplitString(const std::string& text, const std::string& delimiter)
{
    std::vector<std::string> pieces;
    if (text.empty() || delimiter.empty()) {
        return pieces;
    }
    std::size_t pieceStart = 0;
    for (std::size_t found = text.find(delimiter); found != std::string::npos;
         found = text.find(delimiter, pieceStart)) {
        pieces.push_back(text.substr(pieceStart, found - pieceStart));
        pieceStart = found + delimiter.size();
    }
    if (pieceStart < text.size()) {
        pieces.push_back(text.substr(pieceStart));
    }
    return pieces;
}

std::string IntToString(std::int32_t value)
{
    return FormatInt64(value);
}

namespace {

bool IsDigit(char character)
{
    return std::isdigit(static_cast<unsigned char>(character)) != 0;
}

} // namespace

double StringToDouble(const std::string& text)
{
    // Reads exactly what a stream's extraction of a double reads (white space, then sign,
    // digits, point, digits, exponent), without pulling the stream and locale machinery,
    // some 700 KB, into a statically linked program. The program never changes the C locale,
    // so strtod's decimal point is '.'.
    std::size_t position = 0;
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])))
        ++position;
    const std::size_t start = position;
    const auto skipSign = [&] {
        if (position < text.size() && (text[position] == '+' || text[position] == '-'))
            ++position;
    };
    const auto skipDigits = [&] {
        const std::size_t first = position;
        while (position < text.size() && IsDigit(text[position]))
            ++position;
        return position > first;
    };

    skipSign();
    bool mantissa = skipDigits();
    if (position < text.size() && text[position] == '.') {
        ++position;
        mantissa = skipDigits() || mantissa;
    }
    if (!mantissa)
        return 0.0;
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E')) {
        ++position;
        skipSign();
        skipDigits();
    }

    // Like the stream: what was taken must convert whole ("1e" fails), and an overflow
    // gives the largest finite value.
    const std::string number = text.substr(start, position - start);
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size())
        return 0.0;
    if (value == std::numeric_limits<double>::infinity())
        return std::numeric_limits<double>::max();
    if (value == -std::numeric_limits<double>::infinity())
        return std::numeric_limits<double>::lowest();
    return value;
}

std::string FormatInt64(std::int64_t value)
{
    // Older Windows C runtimes do not know "%lld"; std::to_chars needs no runtime support.
    char digits[std::numeric_limits<std::int64_t>::digits10 + 2];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, end.ptr);
}

} // namespace MyGame
