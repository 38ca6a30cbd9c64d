// The floor for start-up time and idle wake-ups: a Qt Widgets window showing
// one label, built with the same flags as the program. With --text-box it
// shows a focused multi-line text box instead, whose caret blinks as the
// program's description box does.

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (argc > 1 && QByteArray(argv[1]) == "--text-box") {
        auto box = std::make_unique<QPlainTextEdit>(QStringLiteral("ヌペ部の謎"));
        box->setFocus();
        window = std::move(box);
    } else {
        window = std::make_unique<QLabel>(QStringLiteral("ヌペ部の謎"));
    }
    window->setWindowTitle(QStringLiteral("bare"));
    window->resize(640, 480);
    window->show();
    return QApplication::exec();
}
