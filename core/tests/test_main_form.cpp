// Form1's handlers against a recording front end: what each spot and photo
// button sets, in which order, what a missing picture does and leaves alone,
// the exit question, and the version window.

#include "core/main_form.h"

#include <doctest/doctest.h>

#include <set>
#include <string>
#include <vector>

#include "core/forms_runtime.h"
#include "core/guide_entries.h"

namespace {

const std::filesystem::path kFolder = std::filesystem::path("pictures") / "here";
constexpr guide::Size kFrame{328, 247};

std::string narrow(std::u16string_view s) { return std::filesystem::path(s).string(); }

// Front end and runtime in one: every call lands in one journal, in order,
// so the tests see what came before what. Pictures "load" for the files in
// `present`, as a picture whose width tells which file it was.
struct Recorder final : MainFormView, FormsRuntime
{
    std::vector<std::string> journal;
    std::set<std::string> present{"room1.jpg", "room2.jpg", "kita.jpg",   "tv.jpg",
                                  "paso1.jpg", "paso2.jpg", "karasu.jpg", "matsu.jpg",
                                  "saidan.jpg", "higashi.jpg"};
    std::filesystem::path folder = kFolder;
    int answer = vbNo;

    // What the front end shows.
    bool command2Enabled = true; // as the layout builds it
    std::u16string text1;
    std::string image1; // the file whose picture the frame shows
    std::vector<guide::Size> loadSizes;
    // State of the form when the last message box asked.
    std::int16_t selectionWhenAsked = 0;
    std::u16string textWhenAsked;
    std::filesystem::path pathWhenAsked;
    MainForm *form = nullptr;

    void setCommand2Enabled(bool enabled) override
    {
        command2Enabled = enabled;
        journal.push_back(enabled ? "enable Command2" : "disable Command2");
    }
    void setText1(std::u16string_view text) override
    {
        text1 = text;
        journal.emplace_back("text");
    }
    guide::Size image1DeviceSize() const override { return kFrame; }
    void setImage1(guide::Picture picture, std::u16string_view fileName) override
    {
        image1 = narrow(fileName);
        CHECK(picture.width == int(image1.size())); // the picture of that file
        journal.push_back("show " + image1);
    }
    void showForm2() override { journal.emplace_back("Form2"); }

    int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) override
    {
        if (form) {
            selectionWhenAsked = form->SelectionNumber;
            pathWhenAsked = form->PicturePath;
        }
        textWhenAsked = text1;
        journal.push_back("box " + narrow(title) + " " + std::to_string(style) + " " +
                          narrow(prompt));
        return style == vbYesNo ? answer : vbOK;
    }
    std::filesystem::path AppPath() override { return folder; }
    guide::Picture LoadPicture(const std::filesystem::path &path, guide::Size size) override
    {
        const std::string name = path.filename().string();
        journal.push_back("load " + name);
        loadSizes.push_back(size);
        if (path.parent_path() != kFolder || !present.contains(name))
            return {};
        guide::Picture p = guide::makePicture({int(name.size()), 1});
        return p;
    }
    void End() override { journal.emplace_back("End"); }
};

struct Fixture
{
    Recorder r;
    MainForm form{r, r};
    Fixture() { r.form = &form; }
};

std::string missing(const std::string &file)
{
    return "box えらー 0 画像ファイル「" + file +
           "」がみつかりません。\r\n間違って削除した場合は、新たにダウンロードし直して下さい。";
}

} // namespace

TEST_CASE("Load selects entry 1: 写真2 on, its text, then room1.jpg")
{
    Fixture f;
    f.form.Form_Load();
    CHECK(f.r.journal ==
          std::vector<std::string>{"enable Command2", "text", "load room1.jpg", "show room1.jpg"});
    CHECK(f.form.SelectionNumber == 1);
    CHECK(f.r.text1 == guide::composeText(guide::kEntries[0]));
    CHECK(f.form.PicturePath == kFolder / "room1.jpg");
    CHECK(f.r.loadSizes == std::vector<guide::Size>{kFrame});
}

TEST_CASE("each spot selects its entry: number, 写真2, text and photograph, in that order")
{
    for (int n = 1; n <= 8; ++n) {
        CAPTURE(n);
        Fixture f;
        (f.form.*MainForm::kOptionClicks[std::size_t(n) - 1])();
        const guide::Entry &entry = guide::kEntries[std::size_t(n) - 1];
        const std::string file = narrow(entry.picture);
        const bool two = n == 1 || n == 4;
        CHECK(f.r.journal == std::vector<std::string>{two ? "enable Command2" : "disable Command2",
                                                      "text", "load " + file, "show " + file});
        CHECK(f.form.SelectionNumber == n);
        CHECK(f.r.text1 == guide::composeText(entry));
        CHECK(f.form.PicturePath == kFolder / file);
    }
}

TEST_CASE("the photo buttons switch the photographs of entries 1 and 4 and nothing else")
{
    struct Case
    {
        int entry;
        const char *photo1, *photo2;
    };
    for (const Case c : {Case{1, "room1.jpg", "room2.jpg"}, Case{4, "paso1.jpg", "paso2.jpg"}}) {
        CAPTURE(c.entry);
        Fixture f;
        (f.form.*MainForm::kOptionClicks[std::size_t(c.entry) - 1])();
        f.r.journal.clear();
        f.form.Command2_Click();
        f.form.Command1_Click();
        f.form.Command1_Click(); // read again: nothing remembers what is on screen
        CHECK(f.r.journal == std::vector<std::string>{
                                 std::string("load ") + c.photo2, std::string("show ") + c.photo2,
                                 std::string("load ") + c.photo1, std::string("show ") + c.photo1,
                                 std::string("load ") + c.photo1, std::string("show ") + c.photo1});
        CHECK(f.form.SelectionNumber == c.entry);
    }
    for (int n : {2, 3, 5, 6, 7, 8}) {
        CAPTURE(n);
        Fixture f;
        (f.form.*MainForm::kOptionClicks[std::size_t(n) - 1])();
        f.r.present.clear(); // not even a missing file may be reported
        f.r.journal.clear();
        f.form.Command1_Click();
        f.form.Command2_Click();
        CHECK(f.r.journal.empty());
    }
}

TEST_CASE("a missing picture: the box names it after the rest is done; the frame keeps its picture")
{
    Fixture f;
    f.form.Option2_Click(); // kita.jpg on screen
    f.r.present.erase("paso1.jpg");
    f.r.journal.clear();
    f.form.Option4_Click();
    CHECK(f.r.journal == std::vector<std::string>{"enable Command2", "text", "load paso1.jpg",
                                                  missing("paso1.jpg")});
    // Everything the entry sets was there when the box asked.
    CHECK(f.r.selectionWhenAsked == 4);
    CHECK(f.r.textWhenAsked == guide::composeText(guide::kEntries[3]));
    CHECK(f.r.pathWhenAsked == kFolder / "paso1.jpg");
    CHECK(f.r.image1 == "kita.jpg");
    CHECK(f.r.command2Enabled);

    // 写真2 then shows the second photograph, which is there.
    f.r.journal.clear();
    f.form.Command2_Click();
    CHECK(f.r.journal == std::vector<std::string>{"load paso2.jpg", "show paso2.jpg"});

    // A photo button's own file missing: its name, and the picture stays.
    f.r.present.erase("paso2.jpg");
    f.r.journal.clear();
    f.form.Command2_Click();
    CHECK(f.r.journal == std::vector<std::string>{"load paso2.jpg", missing("paso2.jpg")});
    CHECK(f.r.image1 == "paso2.jpg");
    CHECK(f.form.SelectionNumber == 4);
}

TEST_CASE("a program folder that cannot be named reports the picture missing without reading")
{
    Fixture f;
    f.r.folder.clear();
    f.form.Form_Load();
    CHECK(f.r.journal == std::vector<std::string>{"enable Command2", "text", missing("room1.jpg")});
    CHECK(f.r.loadSizes.empty());
}

TEST_CASE("終了 asks, and ends the program on Yes only")
{
    for (const int answer : {int(vbYes), int(vbNo), 0}) {
        CAPTURE(answer);
        Fixture f;
        f.r.answer = answer;
        f.form.End_Click();
        std::vector<std::string> expected{"box 終了 4 終了します。"};
        if (answer == vbYes)
            expected.emplace_back("End");
        CHECK(f.r.journal == expected);
        CHECK(f.form.ExitAnswer == answer);
    }
}

TEST_CASE("バージョン情報 shows the version window and nothing else")
{
    Fixture f;
    f.form.Ver_Click();
    CHECK(f.r.journal == std::vector<std::string>{"Form2"});
}

TEST_CASE("a picture's path is the folder, one separator and the name")
{
    const auto sep = std::filesystem::path::preferred_separator;
    CHECK(MainForm::picturePathIn("/a/b", u"room1.jpg").native() ==
          std::filesystem::path("/a/b").native() + sep + std::filesystem::path("room1.jpg").native());
    // At a root the separators double, as the folder and the name are joined.
    CHECK(MainForm::picturePathIn("/", u"x.jpg").native() ==
          std::filesystem::path("/").native() + sep + std::filesystem::path("x.jpg").native());
    CHECK(MainForm::firstPicturePath(kFolder) == kFolder / "room1.jpg");
}
