// ヌペ部の謎: an illustrated guide to the room of a school computer club.

#include <QApplication>
#include <QScreen>

#include "app/desktop_runtime.h"
#include "app/main_window.h"
#include "forms/display_guard.h"
#include "forms/fonts.h"
#include "forms/qt_convert.h"
#include "resources/version.h"

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
