// Peak-memory driver: the program's start-up path (main window over the
// desktop runtime, entry 1 shown and painted), pictures taken from the folder
// given, then entry 1 chosen once more; then it exits. Its peak resident size
// is read from outside (/usr/bin/time) and compared between photo sizes.
//
//   peak_memory FOLDER

#include <QApplication>

#include <cstdio>

#include "bench_runtime.h"
#include "shell/fonts.h"
#include "shell/main_window.h"

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: peak_memory FOLDER\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setFont(fonts::defaultFont());
    BenchRuntime runtime(argv[1]);
    Form1 form(runtime);
    form.start();
    QCoreApplication::processEvents();
    form.Option1_Click();
    QCoreApplication::processEvents();
    return form.image1Picture().isNull() ? 1 : 0;
}
