#include "qt/app/desktop_runtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <chrono>
#include <system_error>
#include <thread>

#include "core/picture_loader.h"
#include "qt/forms/classic_palette.h"
#include "qt/forms/classic_style.h"
#include "qt/forms/frame.h"
#include "qt/forms/program_folder.h"
#include "qt/forms/qt_convert.h"
#include "qt/forms/standard_texts.h"

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
    classic_style::pin(box);
    frame::centreOver(box, owner_);
    const int pressed = box.exec();
    if (style == vbYesNo)
        return pressed == QMessageBox::Yes ? vbYes : vbNo;
    return vbOK;
}

std::filesystem::path DesktopRuntime::AppPath() { return forms::programFolder(); }

namespace {

// A decode that runs longer than this goes on while the windows paint, under
// the busy cursor.
constexpr int kBusyCursorMs = 100;

// Runs `work` on a thread of its own while this one goes on painting the
// windows, and returns its result. Input waits meanwhile, as it does while a
// message box is up, so the handler that asked for the picture finishes
// before any click or key reaches another: what the handlers do, and in
// which order, is as if the decode had been instant. Where no thread can be
// had, the work runs here.
guide::Picture keepingWindowsAlive(std::function<guide::Picture()> work)
{
    QEventLoop loop;
    std::promise<guide::Picture> result;
    std::future<guide::Picture> picture = result.get_future();
    std::thread worker;
    try {
        worker = std::thread([&work, &result, &loop] {
            result.set_value(work());
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
    } catch (const std::system_error &) {
        return work();
    }
    // Most pictures are ready in the blink of an eye: wait for those here,
    // so that the window is not painted once more halfway through the handler.
    if (picture.wait_for(std::chrono::milliseconds(kBusyCursorMs)) == std::future_status::ready) {
        worker.join();
        return picture.get();
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);
    loop.exec(QEventLoop::ExcludeUserInputEvents); // a quit posted meanwhile still arrives
    worker.join();
    QApplication::restoreOverrideCursor();
    return picture.get();
}

} // namespace

guide::Picture DesktopRuntime::LoadPicture(const std::filesystem::path &path,
                                           guide::Size deviceSize)
{
    std::future<guide::Picture> early = std::move(prefetched_);
    const bool same = early.valid() && path == prefetchPath_ && deviceSize == prefetchSize_;
    if (same && early.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        return early.get();
    const Loader load = loader_ ? loader_ : Loader(guide::loadPicture);
    return keepingWindowsAlive([&] {
        if (early.valid()) {
            guide::Picture read = early.get();
            if (same)
                return read;
        }
        return load(path, deviceSize);
    });
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
