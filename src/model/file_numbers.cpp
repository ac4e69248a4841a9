#include "model/file_numbers.h"

#include <charconv>
#include <cmath>

namespace {

std::string_view withoutPlus(std::string_view token)
{
    if (token.size() > 1 && token.front() == '+' && token[1] != '-' && token[1] != '+')
        token.remove_prefix(1);
    return token;
}

}  // namespace

std::string formatFileNumber(double value)
{
    char digits[32];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 6);
    return std::string(digits, end);
}

bool parseFileNumber(std::string_view token, double& value)
{
    token = withoutPlus(token);
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value,
                                              std::chars_format::general);
    return error == std::errc() && end == token.data() + token.size() && std::isfinite(value);
}

bool parseFileInteger(std::string_view token, int& value)
{
    token = withoutPlus(token);
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && end == token.data() + token.size();
}
