// The guide entries as the text box shows them: headings, paragraph layout,
// the exact composed text (by digest), the CR LF joining, each entry's
// photographs, and which file each photo button shows.

#include "core/guide_entries.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sha256.h"

using guide::kEntries;

namespace {

struct Expected
{
    std::u16string_view heading;
    int lineCount;            ///< heading included
    std::vector<int> empties; ///< 1-based, heading is line 1
    int composedLength;       ///< CR LF counts two
    std::u16string_view picture;
    std::u16string_view photo2; ///< empty: "写真2" disabled
    /// SHA-256 of the composed text in UTF-8, taken from the reviewed texts:
    /// any change of a character, even one that keeps every length, shows here.
    const char *digest;
};

// Escapes keep look-alike characters (ideographic space, fullwidth forms) honest.
const std::vector<Expected> kExpected{
    {u"", 11, {4, 9}, 292, u"room1.jpg", u"room2.jpg",
     "54a26a7698e03c41ab518dd06a46136b74aba6a9b351467e689eaf28c4208f7a"},
    {u"北朝鮮監視用望遠鏡", 6, {2}, 168, u"kita.jpg", u"",
     "790f313bf2be059f5653852b3c5f6f22f9fedc7c5f919a0431f5b05b2db30482"},
    {u"超大型ワイドテレビ\u3000\uFF06\u3000ヌペ応接セット", 9, {2, 6}, 216, u"tv.jpg", u"",
     "82cfec41c30cb5c2eb030f7a93a0f27fc5be4d45c4868939c19a07da3d50d134"},
    {u"超絶スペックのハイパ\uFF5Eマッシ\uFF5Eン", 8, {2, 6}, 265, u"paso1.jpg", u"paso2.jpg",
     "b6b8699d06e87831e4831a63c94d3df3f555789f34edeef8443da2b715d3c6ff"},
    {u"ヌペ式カラスよけ", 7, {2, 5}, 153, u"karasu.jpg", u"",
     "fa52d527954e5fc73a6aeb29c88a6b0635022d3c22373c980e71d74a187bc0f7"},
    {u"松茂町営「松庵」", 5, {2}, 129, u"matsu.jpg", u"",
     "be1ddd20e507df3391f390913961c403b98b2aeb61f54f55ff765b07f67c6b18"},
    {u"祭壇", 6, {2}, 124, u"saidan.jpg", u"",
     "2255bf14b4b4216e374d098c9348a8281f03ee1896d61cfd08f5c389de3d63a1"},
    {u"東ヌペ部\uFF08CIA教室\uFF09", 8, {2, 6}, 248, u"higashi.jpg", u"",
     "32e3b314e945dd486ba1948ae65b54ba670db730f88894d7165538745bddbe9c"},
};

// All lines of an entry as the text box numbers them: heading first, if any.
std::vector<std::u16string_view> allLines(const guide::Entry &entry)
{
    std::vector<std::u16string_view> lines;
    if (!entry.heading.empty())
        lines.push_back(entry.heading);
    lines.insert(lines.end(), entry.lines.begin(), entry.lines.end());
    return lines;
}

std::vector<std::u16string> split(const std::u16string &text, std::u16string_view by)
{
    std::vector<std::u16string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(by, from)) != std::u16string::npos; from = at + by.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

} // namespace

TEST_CASE("each entry has its heading, lines, paragraphs and photographs")
{
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        CAPTURE(i + 1);
        const guide::Entry &entry = kEntries[i];
        const Expected &want = kExpected[i];
        CHECK(entry.heading == want.heading);
        CHECK(entry.picture == want.picture);
        CHECK(entry.photo2 == want.photo2);
        CHECK(entry.hasPhoto2() == !want.photo2.empty());

        const auto lines = allLines(entry);
        CHECK(int(lines.size()) == want.lineCount);
        std::vector<int> empties;
        for (std::size_t l = entry.heading.empty() ? 0 : 1; l < lines.size(); ++l) {
            const std::u16string_view line = lines[l];
            CHECK(line.find_first_of(u"\r\n") == std::u16string_view::npos);
            CHECK(std::none_of(line.begin(), line.end(),
                               [](char16_t c) { return c >= 0xd800 && c < 0xe000; }));
            if (line.empty())
                empties.push_back(int(l) + 1);
        }
        CHECK(empties == want.empties);
    }
}

TEST_CASE("each entry's composed text is the reviewed one, its lines joined by CR LF")
{
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        CAPTURE(i + 1);
        const Expected &want = kExpected[i];
        const std::u16string text = guide::composeText(kEntries[i]);

        CHECK(test_digest::sha256Hex(test_digest::utf8(text)) == want.digest);
        CHECK(int(text.size()) == want.composedLength);
        REQUIRE(!text.empty());
        CHECK(text.front() != u'\r');
        CHECK(text.front() != u'\n');
        CHECK(text.back() != u'\r');
        CHECK(text.back() != u'\n');
        // Every CR is followed by an LF and every LF preceded by a CR.
        CHECK(std::count(text.begin(), text.end(), u'\r') == want.lineCount - 1);
        CHECK(std::count(text.begin(), text.end(), u'\n') == want.lineCount - 1);
        const auto parts = split(text, u"\r\n");
        const auto lines = allLines(kEntries[i]);
        REQUIRE(parts.size() == lines.size());
        for (std::size_t l = 0; l < lines.size(); ++l)
            CHECK(parts[l] == lines[l]);
    }
}

TEST_CASE("the digest itself is SHA-256")
{
    CHECK(test_digest::sha256Hex("abc") ==
          "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    CHECK(test_digest::sha256Hex("") ==
          "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

// Each photo button shows its own photograph at the two entries that have two,
// and nothing anywhere else, out-of-range selections included.
TEST_CASE("photo buttons")
{
    CHECK(guide::photoButtonPicture(1, 1) == u"room1.jpg");
    CHECK(guide::photoButtonPicture(1, 2) == u"room2.jpg");
    CHECK(guide::photoButtonPicture(4, 1) == u"paso1.jpg");
    CHECK(guide::photoButtonPicture(4, 2) == u"paso2.jpg");
    for (int selection : {-1, 0, 2, 3, 5, 6, 7, 8, 9, 32767})
        for (int button : {1, 2}) {
            CAPTURE(selection);
            CHECK(guide::photoButtonPicture(selection, button).empty());
        }
}

// The ten files the program reads are exactly the entries' photographs, each once.
TEST_CASE("the picture files are the entries' own")
{
    std::vector<std::u16string_view> fromEntries;
    for (const guide::Entry &entry : kEntries) {
        fromEntries.push_back(entry.picture);
        if (entry.hasPhoto2())
            fromEntries.push_back(entry.photo2);
    }
    std::vector<std::u16string_view> files(guide::kPictureFiles.begin(),
                                           guide::kPictureFiles.end());
    CHECK(files == fromEntries);
    std::sort(files.begin(), files.end());
    CHECK(std::unique(files.begin(), files.end()) == files.end());
    for (const std::u16string_view f : files) {
        CHECK(f.ends_with(u".jpg"));
        CHECK(f.find_first_of(u"/\\") == std::u16string_view::npos);
    }
}

TEST_CASE("spot names for screen readers")
{
    CHECK(guide::spotName(kEntries[0]) == u"部室（入り口のドアと窓）");
    for (std::size_t i = 1; i < kEntries.size(); ++i)
        CHECK(guide::spotName(kEntries[i]) == kEntries[i].heading);
}
