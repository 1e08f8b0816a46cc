#pragma once
// Every object and list of the game comes from the non-throwing heap: running out
// of memory shows as a null result, which start-up reports as a failure and play
// treats as a full list.
#include <cstdint>
#include <new>
#include <utility>

namespace glintwake {

template <typename T, typename... Args>
T* newOrNull(Args&&... args) {
    return new (std::nothrow) T(std::forward<Args>(args)...);
}

// `count` value-initialised entries (null pointers, zeros).
template <typename T>
T* newArrayOrNull(int32_t count) {
    return new (std::nothrow) T[count]();
}

}  // namespace glintwake
