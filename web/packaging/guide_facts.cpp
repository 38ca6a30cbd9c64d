// Prints what the page must show, from the core: for each entry its spot's
// name, its text, its photographs, and the messages, as JSON. The page's
// test compares the page with these, character for character.

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "core/guide_entries.h"
#include "core/main_layout.h"
#include "core/version_layout.h"

namespace {

// JSON string of UTF-16 text, every unit outside ASCII escaped.
std::string json(std::u16string_view text)
{
    std::string out = "\"";
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            out += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            out += escaped;
        }
    }
    return out + "\"";
}

std::string facts()
{
    std::string out = "{\"entries\":[";
    for (std::size_t i = 0; i < guide::kEntries.size(); ++i) {
        const guide::Entry &e = guide::kEntries[i];
        out += i ? "," : "";
        out += "{\"option\":" +
               json(main_layout::kControls[main_layout::row(main_layout::kOptions[i])].name) +
               ",\"name\":" + json(guide::spotName(e)) +
               ",\"text\":" + json(guide::composeText(e)) + ",\"picture\":" + json(e.picture) +
               ",\"photo2\":" + json(e.photo2) + "}";
    }
    using version_layout::Id;
    const layout::Control &icon = version_layout::kControls[version_layout::row(Id::Image1)];
    out +=
        "],\"version\":{\"imageLeft\":" + std::to_string(icon.left) +
        ",\"imageWidth\":" + std::to_string(icon.width) + ",\"label1\":" +
        json(version_layout::kControls[version_layout::row(version_layout::Id::Label1)].caption) +
        ",\"left\":" +
        std::to_string(
            version_layout::kControls[version_layout::row(version_layout::Id::Label1)].left) +
        "}}";
    return out;
}

} // namespace

int main()
{
    try {
        std::puts(facts().c_str());
        return 0;
    } catch (const std::exception &e) {
        std::fputs(e.what(), stderr);
        return 1;
    }
}
