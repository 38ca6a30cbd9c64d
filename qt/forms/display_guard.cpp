#include "qt/forms/display_guard.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace display_guard {
namespace {

struct Held
{
    QtMsgType type;
    QString text;
    QByteArray category;
};

const char *g_program = "";
QtMessageHandler g_previous = nullptr;
std::vector<Held> g_held;

void holdOrGiveUp(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        g_held.push_back({type, text, QByteArray(context.category)});
        return;
    }
    const QString line =
        noDisplayLine(QString::fromLocal8Bit(g_program), qEnvironmentVariable("QT_QPA_PLATFORM"),
                      qEnvironmentVariable("DISPLAY"));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1); // not exit(): nothing half-built may run its destructors
}

} // namespace

QString noDisplayLine(const QString &program, const QString &platform, const QString &display)
{
    const QString name = platform.section(u':', 0, 0);
    if (!name.isEmpty() && name != QLatin1String("xcb"))
        return program +
               QStringLiteral(": 画面に接続できません（表示方式「%1」を開けません）").arg(name);
    if (display.isEmpty())
        return program + QStringLiteral(": 画面に接続できません（DISPLAY が設定されていません）");
    return program +
           QStringLiteral(": 画面に接続できません（DISPLAY=%1 に接続できません）").arg(display);
}

std::unique_ptr<QApplication> openApplication(int &argc, char **argv, const char *program)
{
    g_program = program;
    g_previous = qInstallMessageHandler(holdOrGiveUp);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_previous);
    for (const Held &held : g_held) {
        const QByteArray category = held.category;
        const QMessageLogContext context(nullptr, 0, nullptr,
                                         category.isEmpty() ? nullptr : category.constData());
        qt_message_output(held.type, context, held.text);
    }
    g_held.clear();
    return app;
}

} // namespace display_guard
