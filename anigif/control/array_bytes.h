#pragma once

#include <array>
#include <cstddef>
#include <ranges>
#include <span>
#include <type_traits>

namespace anigif {

// Dimensions an element adds: a fixed-size inner array (T[N] or std::array) is one more.
template <class T>
struct InnerArrayRank : std::integral_constant<std::size_t, 0> {};
template <class T, std::size_t N>
struct InnerArrayRank<T[N]> : std::integral_constant<std::size_t, 1 + InnerArrayRank<T>::value> {};
template <class T, std::size_t N>
struct InnerArrayRank<std::array<T, N>>
    : std::integral_constant<std::size_t, 1 + InnerArrayRank<T>::value> {};

// Any contiguous array of trivially copyable elements: std::vector, std::array, std::span, T[N],
// T[N][M], std::vector<std::array<T, N>>, ...
template <class R>
concept ByteSourceArray =
    std::ranges::contiguous_range<const R> && std::ranges::sized_range<const R> &&
    std::is_trivially_copyable_v<std::remove_cvref_t<std::ranges::range_value_t<const R>>>;

template <ByteSourceArray R>
inline constexpr std::size_t kArrayDimensions =
    1 + InnerArrayRank<std::remove_cvref_t<std::ranges::range_value_t<const R>>>::value;

// The array's memory as it lies, in memory order.
template <ByteSourceArray R>
std::span<const std::byte> ArrayBytes(const R& array) {
    const auto* first = std::ranges::data(array);
    return std::as_bytes(std::span(first, std::ranges::size(array)));
}

}  // namespace anigif
