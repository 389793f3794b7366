#pragma once
// What the C++ library of Debian's Emscripten (libc++ 14) lacks and the core and the library
// use: the range algorithms they call, std::bit_cast and from_chars for float. Included into
// every source by the web build alone (cmake/web.cmake), so that the sources stay as they are
// for every other build; each stands in for the standard's own, on the iterator algorithms.
#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000

namespace std {

namespace ranges {

namespace gaps {
// pred(proj(element)), as the range algorithms call a predicate.
template <class Predicate, class Projection>
constexpr auto Projected(Predicate& predicate, Projection& projection) {
    return [&](auto&& element) { return std::invoke(predicate, std::invoke(projection, element)); };
}
template <class Compare, class Projection>
constexpr auto ProjectedOrder(Compare& compare, Projection& projection) {
    return [&](auto&& a, auto&& b) { return std::invoke(compare, std::invoke(projection, a), std::invoke(projection, b)); };
}
}  // namespace gaps

template <class Range, class Predicate, class Projection = identity>
constexpr bool any_of(Range&& range, Predicate predicate, Projection projection = {}) {
    return std::any_of(std::begin(range), std::end(range), gaps::Projected(predicate, projection));
}

template <class Range, class Predicate, class Projection = identity>
constexpr bool all_of(Range&& range, Predicate predicate, Projection projection = {}) {
    return std::all_of(std::begin(range), std::end(range), gaps::Projected(predicate, projection));
}

template <class Range, class Value>
constexpr auto count(Range&& range, const Value& value) {
    return std::count(std::begin(range), std::end(range), value);
}

template <class Range, class Value>
constexpr bool binary_search(Range&& range, const Value& value) {
    return std::binary_search(std::begin(range), std::end(range), value);
}

template <class Range1, class Range2>
constexpr bool equal(Range1&& first, Range2&& second) {
    return std::equal(std::begin(first), std::end(first), std::begin(second), std::end(second));
}

template <class Range, class Value>
constexpr void fill(Range&& range, const Value& value) {
    std::fill(std::begin(range), std::end(range), value);
}

template <class Range, class Value, class Projection = identity>
constexpr auto find(Range&& range, const Value& value, Projection projection = {}) {
    return std::find_if(std::begin(range), std::end(range),
                        [&](auto&& element) { return std::invoke(projection, element) == value; });
}

template <class Range, class Predicate, class Projection = identity>
constexpr auto find_if(Range&& range, Predicate predicate, Projection projection = {}) {
    return std::find_if(std::begin(range), std::end(range), gaps::Projected(predicate, projection));
}

template <class Range, class Predicate, class Projection = identity>
constexpr auto partition_point(Range&& range, Predicate predicate, Projection projection = {}) {
    return std::partition_point(std::begin(range), std::end(range), gaps::Projected(predicate, projection));
}

template <class Range, class Compare = ::std::less<>, class Projection = identity>
constexpr void sort(Range&& range, Compare compare = {}, Projection projection = {}) {
    std::sort(std::begin(range), std::end(range), gaps::ProjectedOrder(compare, projection));
}

template <class Range, class Compare = ::std::less<>, class Projection = identity>
constexpr void stable_sort(Range&& range, Compare compare = {}, Projection projection = {}) {
    std::stable_sort(std::begin(range), std::end(range), gaps::ProjectedOrder(compare, projection));
}

template <class Range, class Output, class Function>
constexpr Output transform(Range&& range, Output out, Function function) {
    return std::transform(std::begin(range), std::end(range), out, function);
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
