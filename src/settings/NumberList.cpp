#include "settings/NumberList.h"

#include <climits>
#include <cstdint>
#include <cstdio>

namespace fern {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::optional<int> WholeNumber(std::string_view field) {
    std::size_t pos = 0, end = field.size();
    while (pos < end && IsBlank(field[pos])) ++pos;
    while (end > pos && IsBlank(field[end - 1])) --end;
    bool negative = false;
    if (pos < end && (field[pos] == '+' || field[pos] == '-')) negative = field[pos++] == '-';
    if (pos == end) return std::nullopt;
    std::int64_t magnitude = 0;
    for (; pos < end; ++pos) {
        if (field[pos] < '0' || field[pos] > '9') return std::nullopt;
        if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (field[pos] - '0');
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

}  // namespace

std::vector<std::optional<int>> SplitNumberList(std::string_view text) {
    std::vector<std::optional<int>> fields;
    if (text.empty()) return fields;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        fields.push_back(
            WholeNumber(text.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

std::string JoinNumberList(const std::vector<int>& numbers) {
    std::string text;
    char buffer[16];
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i ? ",%d" : "%d", numbers[i]);
        text += buffer;
    }
    return text;
}

}  // namespace fern
