#include "qt/app/desktop_runtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <system_error>

#include "core/picture_loader.h"
#include "core/picture_wait.h"
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

// The wait's event loop in Qt: a nested loop that leaves user input queued,
// ended by a quit posted from the decode's thread. A quit posted before the
// loop runs ends it as soon as it runs; one still queued goes with the loop.
class QtPictureWait final : public picture_wait::EventLoop
{
public:
    void paintUntil(const std::atomic<bool> &done) override
    {
        while (!done)
            loop_.exec(QEventLoop::ExcludeUserInputEvents); // a quit posted meanwhile still arrives
    }
    void wake() override { QMetaObject::invokeMethod(&loop_, "quit", Qt::QueuedConnection); }
    void setBusy(bool busy) override
    {
        if (busy)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    QEventLoop loop_;
};

} // namespace

guide::Picture DesktopRuntime::LoadPicture(const std::filesystem::path &path,
                                           guide::Size deviceSize)
{
    std::future<guide::Picture> early = std::move(prefetched_);
    const bool same = early.valid() && path == prefetchPath_ && deviceSize == prefetchSize_;
    if (same && early.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        return early.get();
    const Loader load = loader_ ? loader_ : Loader(guide::loadPicture);
    QtPictureWait loop;
    return picture_wait::wait(loop, [&] {
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
