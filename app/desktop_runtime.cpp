#include "app/desktop_runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <system_error>

#include "core/picture_loader.h"
#include "forms/classic_palette.h"
#include "forms/form_frame.h"
#include "forms/program_folder.h"
#include "forms/qt_convert.h"
#include "forms/standard_texts.h"

int DesktopRuntime::MsgBox(std::u16string_view prompt, int style, std::u16string_view title)
{
    QMessageBox box(owner_);
    box.setWindowTitle(toQString(title));
    box.setText(toQString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowModality(Qt::ApplicationModal);
    classic_palette::pin(box);
    if (style == vbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(standard_texts::yes());
        box.button(QMessageBox::No)->setText(standard_texts::no());
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(standard_texts::ok());
    }
    form_frame::centreOver(box, owner_);
    const int pressed = box.exec();
    if (style == vbYesNo)
        return pressed == QMessageBox::Yes ? vbYes : vbNo;
    return vbOK;
}

std::filesystem::path DesktopRuntime::AppPath() { return forms::programFolder(); }

guide::Picture DesktopRuntime::LoadPicture(const std::filesystem::path &path,
                                           guide::Size deviceSize)
{
    if (prefetched_.valid()) {
        guide::Picture early = prefetched_.get();
        if (path == prefetchPath_ && deviceSize == prefetchSize_)
            return early;
    }
    return guide::loadPicture(path, deviceSize);
}

void DesktopRuntime::prefetchPicture(const std::filesystem::path &path, guide::Size deviceSize)
{
    if (prefetched_.valid())
        prefetched_.get();
    prefetchPath_ = path;
    prefetchSize_ = deviceSize;
    try {
        prefetched_ = std::async(std::launch::async, [path, deviceSize] {
            return guide::loadPicture(path, deviceSize);
        });
    } catch (const std::system_error &) {
        // No thread to be had: the load reads the file itself.
    }
}

void DesktopRuntime::End()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}
