// ヌペ部の謎: an illustrated guide to the room of a school computer club.

#include <QApplication>

#include "app/desktop_runtime.h"
#include "app/main_window.h"
#include "forms/display_guard.h"
#include "forms/fonts.h"
#include "resources/version.h"

int main(int argc, char *argv[])
{
    const auto app = display_guard::openApplication(argc, argv, "mirteka");
    QApplication::setApplicationName(QStringLiteral("mirteka"));
    QApplication::setApplicationVersion(QString::fromUtf16(resources::kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("mirteka"));
    QApplication::setFont(fonts::defaultFont());

    DesktopRuntime runtime;
    Form1 form1(runtime);
    runtime.setOwner(&form1);
    form1.start();
    return QApplication::exec();
}
