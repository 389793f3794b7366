#pragma once
// The one way the core says that something failed: a Result holds either the value asked for or
// a typed failure that carries the facts a message needs (which colour, which pixel, which cell).
// Each program words the failure itself. (GCC 12 has no std::expected; this is its small subset.)
#include <cassert>
#include <utility>
#include <variant>

namespace pxm {

// A failure on its way into a Result: Fail(error) converts to any Result<T, E>.
template <class E>
struct Failure {
    E error;
};

template <class E>
Failure<E> Fail(E error) {
    return Failure<E>{std::move(error)};
}

template <class T, class E>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit by design
    template <class F>
    Result(Failure<F> failure) : state_(std::in_place_index<1>, std::move(failure.error)) {}  // NOLINT

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok());
        return std::get<0>(state_);
    }
    const T& value() const& {
        assert(ok());
        return std::get<0>(state_);
    }
    T&& value() && {
        assert(ok());
        return std::get<0>(std::move(state_));
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& error() const {
        assert(!ok());
        return std::get<1>(state_);
    }

private:
    std::variant<T, E> state_;
};

// Success without a value.
struct Done {};

template <class E>
using Status = Result<Done, E>;

}  // namespace pxm
