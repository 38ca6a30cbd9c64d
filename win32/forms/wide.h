#pragma once
// The core's text is UTF-16 in char16_t; the wide Windows API takes the same
// code units as wchar_t. Conversion at the edge is a change of type only.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide API is UTF-16");

namespace wide {

inline std::wstring_view view(std::u16string_view s)
{
    return {reinterpret_cast<const wchar_t *>(s.data()), s.size()};
}

inline std::wstring string(std::u16string_view s) { return std::wstring(view(s)); }

inline std::u16string_view u16(std::wstring_view s)
{
    return {reinterpret_cast<const char16_t *>(s.data()), s.size()};
}

} // namespace wide
