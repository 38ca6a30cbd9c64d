#pragma once
// The eight entries of the guide, one per spot on the floor plan, as data.

#include <QString>

#include <array>
#include <span>
#include <string_view>

namespace guide {

struct Entry
{
    std::u16string_view heading;                  ///< first line; empty for entry 1, which has none
    std::span<const std::u16string_view> lines;   ///< the lines after the heading; u"" is a paragraph break
    bool photo2;                                  ///< whether "写真2" is enabled at this entry
    std::u16string_view picture;                  ///< bare file name of the entry's photograph
};

/// Entries 1 to 8, in order: kEntries[n - 1] is entry n.
extern const std::array<Entry, 8> kEntries;

/// What the entry's spot on the plan is called, for screen readers: its
/// heading, or, for entry 1, which has none, the room's entrance and window.
QString spotName(const Entry &entry);

/// The entry's text: heading (if any) and lines joined by CR LF, nothing before
/// the first line or after the last.
QString composeText(const Entry &entry);

} // namespace guide
