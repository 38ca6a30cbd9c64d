// ヌペ部の謎: an illustrated guide to the room of a school computer club.

#include <QApplication>
#include <QScreen>

#include <cerrno>

#include <fcntl.h>

#include "qt/app/desktop_runtime.h"
#include "qt/app/main_window.h"
#include "qt/forms/display_guard.h"
#include "qt/forms/fonts.h"
#include "qt/forms/qt_convert.h"
#include "resources/version.h"

namespace {

// Descriptors 0, 1 and 2 closed at start (a program started with 2>&-) would
// be handed to the next files opened, and a warning written to "standard
// error" would land in one of them. They are opened on /dev/null before any
// other code runs, static constructors included.
[[gnu::constructor(101)]] void openStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF && ::open("/dev/null", O_RDWR) < 0)
            return;
}

} // namespace

int main(int argc, char *argv[])
{
    // Start-up keeps a second core busy with what needs neither the display
    // nor a font: fontconfig's configuration while the display is connected,
    // then Load's picture while the fonts and the window are made.
    fonts::preloadConfiguration();
    const auto app = display_guard::openApplication(argc, argv, "mirteka");
    QApplication::setApplicationName(QStringLiteral("mirteka"));
    QApplication::setApplicationVersion(QString::fromUtf16(resources::kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("mirteka"));

    DesktopRuntime runtime;
    if (const auto folder = runtime.AppPath(); !folder.empty() && QApplication::primaryScreen())
        runtime.prefetchPicture(
            Form1::firstPicturePath(folder),
            toSize(Form1::image1DeviceSize(QApplication::primaryScreen()->devicePixelRatio())));
    QApplication::setFont(fonts::defaultFont());

    Form1 form1(runtime);
    runtime.setOwner(&form1);
    form1.start();
    return QApplication::exec();
}
