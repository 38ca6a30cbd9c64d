// Build-time tool: draws the sample photographs into the folder named on the
// command line, where the program will look for them.

#include "sample_scenes.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: draw_sample_photos <output folder>\n";
        return 2;
    }
    const QStringList failed = sample_photos::writeAll(args.at(1));
    for (const QString &name : failed)
        err << "could not write " << name << '\n';
    return failed.isEmpty() ? 0 : 1;
}
