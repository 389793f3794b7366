#pragma once
// What the C++ library of Debian's Emscripten (libc++ 14) lacks and the conversion library uses:
// a few range algorithms and from_chars for float. Included into the library's sources by the
// web build alone (cmake/web.cmake), which compiles them as they stand; each stands in for the
// standard's own with the same result.
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <string>
#include <system_error>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000

namespace std {

namespace ranges {

template <class Range, class Predicate>
constexpr bool any_of(Range&& range, Predicate predicate) {
    for (auto&& element : range) {
        if (std::invoke(predicate, element)) return true;
    }
    return false;
}

template <class Range, class Predicate>
constexpr bool all_of(Range&& range, Predicate predicate) {
    for (auto&& element : range) {
        if (!std::invoke(predicate, element)) return false;
    }
    return true;
}

template <class Range, class Value, class Projection = std::identity>
constexpr auto find(Range&& range, const Value& value, Projection projection = {}) {
    auto at = std::begin(range);
    while (at != std::end(range) && !(std::invoke(projection, *at) == value)) ++at;
    return at;
}

}  // namespace ranges

// A decimal float as from_chars reads one in the general format: an optional minus, digits
// with an optional point, an optional exponent, or inf or nan; the longest such prefix taken
// and rounded as strtof rounds it (to nearest), no sign '+', space or hexadecimal taken.
inline from_chars_result from_chars(const char* first, const char* last, float& value) {
    const auto digits = [&](const char* at) {
        while (at != last && std::isdigit(static_cast<unsigned char>(*at))) ++at;
        return at;
    };
    const char* at = first != last && *first == '-' ? first + 1 : first;
    const char* const unsigned_start = at;
    const auto word = [&](const char* w) {
        const char* p = unsigned_start;
        for (; *w && p != last && std::tolower(static_cast<unsigned char>(*p)) == *w; ++p, ++w) {}
        return *w ? nullptr : p;
    };
    const char* end = word("inf") ? word("inf") : word("nan");
    if (!end) {
        const char* const whole = digits(at);
        end = whole;
        if (end != last && *end == '.') end = digits(end + 1);
        if (end - at == (end != whole ? 1 : 0)) return {first, errc::invalid_argument};
        if (end != last && (*end == 'e' || *end == 'E')) {
            const char* exponent = end + 1;
            if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
            if (digits(exponent) != exponent) end = digits(exponent);
        }
    }
    const std::string text(first, end);
    char* parsed = nullptr;
    const float read = std::strtof(text.c_str(), &parsed);
    if (parsed != text.c_str() + text.size()) return {first, errc::invalid_argument};
    value = read;
    return {end, errc{}};
}

}  // namespace std

#endif
