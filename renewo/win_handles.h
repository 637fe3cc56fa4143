#pragma once
// Handles kept in the 32-bit fields of the exchange record. Windows keeps window and
// registry handles within 32 bits and sign-extends them on 64-bit systems, which is
// what the predefined keys (HKEY_CURRENT_USER = 0x80000001) rely on.
#include <windows.h>

#include <cstdint>

namespace renewo {

inline std::uint32_t handleField(const void* handle)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

template <typename Handle> Handle handleFrom(std::uint32_t field)
{
    return reinterpret_cast<Handle>(static_cast<LONG_PTR>(static_cast<std::int32_t>(field)));
}

} // namespace renewo
