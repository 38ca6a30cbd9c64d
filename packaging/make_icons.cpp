// Writes the program's icon into a hicolor icon theme tree for desktop menus:
// the 32 × 32 artwork as drawn, and 64, 128 and 256 px whole-pixel enlargements
// so the pixel art stays crisp instead of being blurred by the desktop's scaler.
//
// Usage: mirteka_icons THEME_DIR  (writes THEME_DIR/NxN/apps/mirteka.png)

#include <QDir>
#include <QImage>
#include <cstdio>

#include "resources/app_icon.h"

namespace {

constexpr int kEnlargements[] = {1, 2, 4, 8};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirteka_icons THEME_DIR\n");
        return 2;
    }
    const QString themeDir = QString::fromLocal8Bit(argv[1]);
    const QImage artwork = resources::appIconImage();
    for (const int factor : kEnlargements) {
        const QSize size = artwork.size() * factor;
        const QString dir =
            QStringLiteral("%1/%2x%3/apps").arg(themeDir).arg(size.width()).arg(size.height());
        const QString file = dir + QStringLiteral("/mirteka.png");
        // Fast transformation at a whole factor repeats each pixel factor × factor times.
        const QImage icon = artwork.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!QDir().mkpath(dir) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "mirteka_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
