// The guide's side of the main window: choosing an entry, showing a picture,
// and the two photo buttons.

#include <QPushButton>

#include "guide/guide_entries.h"
#include "shell/accessible_image.h"
#include "shell/form_surface.h"
#include "shell/forms_runtime.h"
#include "shell/main_window.h"
#include "shell/text_box.h"

namespace {

// The entries with two photographs, and which file each photo button shows there.
struct PhotoPair
{
    int entry;
    std::u16string_view photo1, photo2;
};
constexpr PhotoPair kPhotoPairs[]{{1, u"room1.jpg", u"room2.jpg"}, {4, u"paso1.jpg", u"paso2.jpg"}};

} // namespace

void Form1::Form_Load() { Option1_Click(); }

void Form1::Option1_Click() { selectEntry(1); }
void Form1::Option2_Click() { selectEntry(2); }
void Form1::Option3_Click() { selectEntry(3); }
void Form1::Option4_Click() { selectEntry(4); }
void Form1::Option5_Click() { selectEntry(5); }
void Form1::Option6_Click() { selectEntry(6); }
void Form1::Option7_Click() { selectEntry(7); }
void Form1::Option8_Click() { selectEntry(8); }

// Everything before the picture stays done whatever the picture meets.
void Form1::selectEntry(int n)
{
    const guide::Entry &entry = guide::kEntries[n - 1];
    SelectionNumber = static_cast<qint16>(n);
    Command2->setEnabled(entry.photo2);
    Text1->setText(guide::composeText(entry));
    ShowPicture(layout::text(entry.picture));
}

void Form1::Command1_Click()
{
    for (const PhotoPair &pair : kPhotoPairs)
        if (SelectionNumber == pair.entry)
            ShowPicture(layout::text(pair.photo1));
}

void Form1::Command2_Click()
{
    for (const PhotoPair &pair : kPhotoPairs)
        if (SelectionNumber == pair.entry)
            ShowPicture(layout::text(pair.photo2));
}

// Reads the file anew every time; a failure of any kind ends in the same
// message, and the frame keeps the picture it had.
void Form1::ShowPicture(const QString &fileName)
{
    // The folder's own bytes, one separator, the name in UTF-8. A folder that
    // could not be named is empty: the joined path would then name a file at
    // the root, so nothing is loaded and the picture is reported missing.
    const std::filesystem::path folder = runtime_.AppPath();
    PicturePath = folder.native() + std::filesystem::path::value_type('/') +
                  std::filesystem::path(fileName.toStdU16String()).native();
    const QImage picture =
        folder.empty() ? QImage() : runtime_.LoadPicture(PicturePath, image1DeviceSize());
    if (picture.isNull()) {
        runtime_.MsgBox(
            QStringLiteral("画像ファイル「") + fileName +
                QStringLiteral("」がみつかりません。\r\n"
                               "間違って削除した場合は、新たにダウンロードし直して下さい。"),
            vbOKOnly, QStringLiteral("えらー"));
        return;
    }
    surface_->setPicture(main_layout::row(main_layout::Id::Image1), picture);
    image1Access_->setAccessibleDescription(QStringLiteral("表示中の写真：") + fileName);
}
