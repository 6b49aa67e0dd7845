#include "Rules.h"

#include <charconv>
#include <limits>
#include <locale>
#include <sstream>

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

double StringToDouble(const std::string& text)
{
    // The classic locale keeps '.' as the decimal point whatever the user's settings are.
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    double value = 0.0;
    stream >> value;
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
