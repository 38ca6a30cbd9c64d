// The floor for start-up with content: a plain Qt Widgets window holding the
// same kinds of things as the main window, laid out by Qt's layouts: a menu
// bar with two Japanese items, a large Japanese title, a 640 × 480 photograph
// scaled into a 328 × 247 label, and a Japanese paragraph in a focused text
// box, all in IPAPGothic.
//
//   plain_window PHOTO

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("plain"));
    window.menuBar()->addAction(QStringLiteral("終了"));
    window.menuBar()->addAction(QStringLiteral("バージョン情報"));

    auto *central = new QWidget;
    auto *grid = new QGridLayout(central);
    auto *title = new QLabel(QStringLiteral("☆ヌペ部の謎　'99☆"));
    title->setFont(QFont(QStringLiteral("IPAPGothic"), 26));
    grid->addWidget(title, 0, 0, 1, 2, Qt::AlignHCenter);
    auto *photo = new QLabel;
    photo->setFixedSize(328, 247);
    if (argc > 1)
        photo->setPixmap(QPixmap(QString::fromLocal8Bit(argv[1]))
                             .scaled(328, 247, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    grid->addWidget(photo, 1, 1);
    auto *text = new QPlainTextEdit(QStringLiteral(
        "パソコン部の部室って、いったいどんな所なの？\n"
        "そんな質問が、ヌペ部サポートセンターには日夜数多く寄せられています。\n"
        "今日は、その部室を大公開しちゃいます！\n\n"
        "写真1の奥が出入り口のドアです。"));
    grid->addWidget(text, 2, 0, 1, 2);
    window.setCentralWidget(central);
    window.resize(679, 511);
    text->setFocus();
    window.show();
    return QApplication::exec();
}
