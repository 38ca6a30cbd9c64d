#pragma once
// The eight entries of the guide, one per spot on the floor plan, as data,
// and the photographs they and the two photo buttons show.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace guide {

struct Entry
{
    std::u16string_view heading; ///< first line; empty for entry 1, which has none
    std::span<const std::u16string_view>
        lines;                    ///< the lines after the heading; u"" is a paragraph break
    std::u16string_view picture;  ///< bare file name of the entry's photograph
    std::u16string_view photo2{}; ///< its second photograph; empty for most entries

    /// Whether "写真2" is enabled at this entry.
    constexpr bool hasPhoto2() const { return !photo2.empty(); }
};

/// Entries 1 to 8, in order: kEntries[n - 1] is entry n.
extern const std::array<Entry, 8> kEntries;

/// Every picture file the guide shows, each once: the entries' photographs
/// and their second photographs.
extern const std::array<std::u16string_view, 10> kPictureFiles;

/// The file photo button `button` (1 or 2) shows at entry `selection`; empty
/// where the button does nothing (entries with a single photograph).
std::u16string_view photoButtonPicture(int selection, int button);

/// What the entry's spot on the plan is called, for screen readers: its
/// heading, or, for entry 1, which has none, the room's entrance and window.
std::u16string spotName(const Entry &entry);

/// The entry's text: heading (if any) and lines joined by CR LF, nothing before
/// the first line or after the last.
std::u16string composeText(const Entry &entry);

} // namespace guide
