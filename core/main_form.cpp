// Form1's event handlers: start-up, the eight spots, the photo buttons,
// showing a picture and the two menu commands.

#include "core/main_form.h"

#include <string>

#include "core/forms_runtime.h"
#include "core/guide_entries.h"

const std::array<MainForm::Handler, 8> MainForm::kOptionClicks{
    &MainForm::Option1_Click, &MainForm::Option2_Click, &MainForm::Option3_Click,
    &MainForm::Option4_Click, &MainForm::Option5_Click, &MainForm::Option6_Click,
    &MainForm::Option7_Click, &MainForm::Option8_Click};

const std::array<MainForm::Handler, main_layout::kMenu.size()> MainForm::kMenuClicks{
    &MainForm::End_Click, &MainForm::Ver_Click};

MainForm::Handler MainForm::clickHandler(main_layout::Id id)
{
    if (const int n = main_layout::optionNumber(id))
        return kOptionClicks[std::size_t(n) - 1];
    if (id == main_layout::Id::Command1)
        return &MainForm::Command1_Click;
    if (id == main_layout::Id::Command2)
        return &MainForm::Command2_Click;
    return nullptr;
}

std::filesystem::path MainForm::picturePathIn(const std::filesystem::path &folder,
                                              std::u16string_view fileName)
{
    // A root gives two separators in a row, as the folder and the name are joined.
    std::filesystem::path path = folder;
    path += std::filesystem::path::preferred_separator;
    path += std::u16string(fileName);
    return path;
}

std::filesystem::path MainForm::firstPicturePath(const std::filesystem::path &folder)
{
    return picturePathIn(folder, guide::kEntries[0].picture);
}

void MainForm::Form_Load() { Option1_Click(); }

void MainForm::Option1_Click() { selectEntry(1); }
void MainForm::Option2_Click() { selectEntry(2); }
void MainForm::Option3_Click() { selectEntry(3); }
void MainForm::Option4_Click() { selectEntry(4); }
void MainForm::Option5_Click() { selectEntry(5); }
void MainForm::Option6_Click() { selectEntry(6); }
void MainForm::Option7_Click() { selectEntry(7); }
void MainForm::Option8_Click() { selectEntry(8); }

// Everything before the picture stays done whatever the picture meets.
void MainForm::selectEntry(int n)
{
    const guide::Entry &entry = guide::kEntries[std::size_t(n) - 1];
    SelectionNumber = static_cast<std::int16_t>(n);
    view_.setCommand2Enabled(entry.hasPhoto2());
    view_.setText1(guide::composeText(entry));
    ShowPicture(entry.picture);
}

// Elsewhere than at the entries with two photographs, neither button does anything.
void MainForm::Command1_Click()
{
    if (const std::u16string_view file = guide::photoButtonPicture(SelectionNumber, 1);
        !file.empty())
        ShowPicture(file);
}

void MainForm::Command2_Click()
{
    if (const std::u16string_view file = guide::photoButtonPicture(SelectionNumber, 2);
        !file.empty())
        ShowPicture(file);
}

void MainForm::End_Click()
{
    ExitAnswer = static_cast<std::int16_t>(runtime_.MsgBox(u"終了します。", vbYesNo, u"終了"));
    if (ExitAnswer == vbYes)
        runtime_.End();
}

void MainForm::Ver_Click() { view_.showForm2(); }

// Reads the file anew every time; a failure of any kind ends in the same
// message, and the frame keeps the picture it had.
void MainForm::ShowPicture(std::u16string_view fileName)
{
    // A folder that could not be named is empty: the joined path would then
    // name a file at the root, so nothing is loaded and the picture is
    // reported missing.
    const std::filesystem::path folder = runtime_.AppPath();
    PicturePath = picturePathIn(folder, fileName);
    guide::Picture picture = folder.empty()
                                 ? guide::Picture{}
                                 : runtime_.LoadPicture(PicturePath, view_.image1DeviceSize());
    if (picture.isNull()) {
        std::u16string prompt = u"画像ファイル「";
        prompt += fileName;
        prompt += u"」がみつかりません。\r\n"
                  u"間違って削除した場合は、新たにダウンロードし直して下さい。";
        runtime_.MsgBox(prompt, vbOKOnly, u"えらー");
        return;
    }
    view_.setImage1(std::move(picture), fileName);
}
