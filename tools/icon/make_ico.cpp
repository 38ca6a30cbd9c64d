// Build-time tool: turns the icon artwork (XPM) into the .ico that the Windows
// resource script and the installer embed: every side Windows asks for at
// 100 % to 200 % scaling, each drawn from the artwork as the Linux icons are.
// Usage: mirteka_make_ico <artwork.xpm> <out.ico> [side...]
// With sides, only those (the windows' own icon is the 32 × 32 artwork alone).

#include "qt/resources/icon_sides.h"
#include "tools/icon/ico_writer.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc < 3) {
        err << "usage: " << argv[0] << " <artwork.xpm> <out.ico> [side...]\n";
        return 2;
    }
    const QString in = QFile::decodeName(argv[1]), outPath = QFile::decodeName(argv[2]);
    const QImage artwork(in);
    if (artwork.isNull()) {
        err << in << ": cannot read the image\n";
        return 1;
    }
    // Small icons (16, 20, 24 at 100 %, 125 %, 150 %), the 32 × 32 artwork as
    // drawn, the large ones (40, 48, 64) and the one Explorer scales down from.
    QList<int> sides{16, 20, 24, 32, 40, 48, 64, 256};
    if (argc > 3) {
        sides.clear();
        for (int i = 3; i < argc; ++i)
            sides.append(QByteArray(argv[i]).toInt());
    }
    QList<QImage> images;
    for (const int side : sides)
        images.append(resources::iconAtSide(artwork, side));
    QString error;
    const auto ico = icon::encodeIco(images, &error);
    if (!ico) {
        err << in << ": " << error << '\n';
        return 1;
    }
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(*ico) != ico->size() || !out.commit()) {
        err << outPath << ": " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}
