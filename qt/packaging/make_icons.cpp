// Writes the program's icon into a hicolor icon theme tree for desktop menus and
// software centres, every size drawn from the one 32 × 32 artwork as the Windows
// program's icon file has it (qt/resources/icon_sides.h).
//
// Usage: mirteka_icons THEME_DIR  (writes THEME_DIR/NxN/apps/mirteka.png)

#include <QDir>
#include <QImage>
#include <cstdio>

#include "qt/resources/app_icon.h"
#include "qt/resources/icon_sides.h"

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirteka_icons THEME_DIR\n");
        return 2;
    }
    const QString themeDir = QString::fromLocal8Bit(argv[1]);
    const QImage artwork = resources::appIconImage();
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(side);
        const QString file = dir + QStringLiteral("/mirteka.png");
        if (!QDir().mkpath(dir) || !resources::iconAtSide(artwork, side).save(file, "PNG")) {
            std::fprintf(stderr, "mirteka_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
