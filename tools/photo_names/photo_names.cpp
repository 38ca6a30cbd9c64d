// Build-time tool: writes the names of the photographs the guide shows, one a
// line in UTF-8, from the guide's own list, so that packages and their checks
// ship and look for exactly these. Usage: mirteka_photo_names OUT.txt

#include "core/guide_entries.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// Bare file names: characters of the Basic Multilingual Plane only.
bool appendUtf8(std::string &out, std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c >= 0xD800 && c < 0xE000)
            return false;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirteka_photo_names OUT.txt\n");
        return 2;
    }
    std::string text;
    for (const std::u16string_view name : guide::kPictureFiles) {
        if (!appendUtf8(text, name)) {
            std::fprintf(stderr, "mirteka_photo_names: a name outside the BMP\n");
            return 1;
        }
        text += '\n';
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "mirteka_photo_names: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
