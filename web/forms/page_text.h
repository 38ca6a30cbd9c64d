#pragma once
// Texts handed to the page: UTF-16 as the core keeps it, read on the
// JavaScript side straight from the module's memory.

#include <string_view>

namespace forms {

/// Where a text lies in memory and how many UTF-16 units it has.
struct PageText
{
    const char16_t *data;
    int length;
};

inline PageText pageText(std::u16string_view text) { return {text.data(), int(text.size())}; }

} // namespace forms
