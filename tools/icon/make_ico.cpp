// Build-time tool: turns the icon artwork (XPM) into the .ico that the Windows
// resource script embeds. Usage: mirteka_make_ico <artwork.xpm> <out.ico>

#include "tools/icon/ico_writer.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: " << argv[0] << " <artwork.xpm> <out.ico>\n";
        return 2;
    }
    const QString in = QFile::decodeName(argv[1]), outPath = QFile::decodeName(argv[2]);
    const QImage image(in);
    if (image.isNull()) {
        err << in << ": cannot read the image\n";
        return 1;
    }
    QString error;
    const auto ico = icon::encodeIco(image.convertToFormat(QImage::Format_ARGB32), &error);
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
