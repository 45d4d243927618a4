#pragma once

#include <atomic>

namespace Tessaro9V
{
// Plain fields shared between the audio, message and automation threads are read and
// written through these, so that every access is atomic (relaxed order is enough: each
// field is an independent value) while the records themselves stay plain structs.
template <typename T>
inline T relaxedLoad (const T& field) noexcept
{
    return std::atomic_ref<T> (const_cast<T&> (field)).load (std::memory_order_relaxed);
}

template <typename T>
inline void relaxedStore (T& field, T value) noexcept
{
    std::atomic_ref<T> (field).store (value, std::memory_order_relaxed);
}
} // namespace Tessaro9V
