// Peak-memory driver: the program's start-up path (main window over the
// desktop runtime, entry 1 shown and painted), pictures taken from the folder
// given, then entry 1 chosen once more; then it exits. Its peak resident size
// is read from outside (/usr/bin/time) and compared between photo sizes.
//
//   peak_memory FOLDER [--then-entry-2]
//
// With --then-entry-2, entry 2 is chosen after start-up instead: its picture
// (kita.jpg, a hostile file) may be shown or refused with a message box.

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "bench_runtime.h"
#include "qt/forms/fonts.h"
#include "qt/app/main_window.h"

int main(int argc, char *argv[])
{
    const bool hostile = argc == 3 && std::strcmp(argv[2], "--then-entry-2") == 0;
    if (argc != 2 && !hostile) {
        std::fprintf(stderr, "usage: peak_memory FOLDER [--then-entry-2]\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setFont(fonts::defaultFont());
    BenchRuntime runtime(argv[1]);
    Form1 form(runtime);
    form.start();
    QCoreApplication::processEvents();
    runtime.missingExpected = hostile;
    hostile ? form.handlers().Option2_Click() : form.handlers().Option1_Click();
    QCoreApplication::processEvents();
    return form.image1Picture().isNull() ? 1 : 0;
}
