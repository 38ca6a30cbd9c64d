// Glide driver: opens the version window on the display, lets its title glide
// and records when each tick of its timer fires. After a second of warm-up it
// counts 400 intervals and the process's CPU time over them, then closes the
// window and prints, one per line: intervals, median and p99 interval in ms,
// the longest interval, and CPU time as a percentage of one core.
//
// With --bare it does the same for the floor: a plain dialog of the same size
// whose one label a 50 ms timer moves by the same step, back and forth.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

#include "qt/about/version_window.h"
#include "qt/forms/fonts.h"

namespace {

constexpr int kWarmUpTicks = 20;
constexpr int kIntervals = 400;

// User plus system time of this process, in seconds.
double cpuSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return double(f[11].toLongLong() + f[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// The floor: a dialog the size of the version window, its label moved by 100
// twips (7 px at 96 DPI) a tick between the same two turning points.
class BareGlide final : public QDialog
{
public:
    BareGlide()
        : label_(new QLabel(QStringLiteral("ヌペ部の謎　'99"), this)), timer_(new QTimer(this))
    {
        setFixedSize(480, 98);
        QFont bold = label_->font();
        bold.setPointSize(12);
        bold.setBold(true);
        label_->setFont(bold);
        label_->move(96, 24);
        timer_->setTimerType(Qt::PreciseTimer);
        timer_->setInterval(50);
        QObject::connect(timer_, &QTimer::timeout, this, [this] {
            const int x = label_->x() + step_;
            if (x < 90 || x > 356)
                step_ = -step_;
            label_->move(x, label_->y());
        });
        timer_->start();
    }

    QTimer *timer() const { return timer_; }

    void close()
    {
        hide();
        timer_->stop();
    }

private:
    QLabel *label_;
    QTimer *timer_;
    int step_ = 7;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(fonts::defaultFont());
    const bool bare = argc > 1 && QByteArray(argv[1]) == "--bare";
    Form2 form2;
    BareGlide floor;
    form2.timer1()->stop();
    floor.timer()->stop();
    QTimer *timer = bare ? floor.timer() : form2.timer1();
    const std::function<void()> close = [&] { bare ? floor.close() : form2.Command1_Click(); };

    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> ticks;
    ticks.reserve(kWarmUpTicks + kIntervals + 1);
    double cpuStart = 0, cpuEnd = 0;
    QObject::connect(timer, &QTimer::timeout, timer, [&] {
        ticks.push_back(Clock::now());
        if (ticks.size() == kWarmUpTicks)
            cpuStart = cpuSeconds();
        if (ticks.size() == kWarmUpTicks + kIntervals) {
            cpuEnd = cpuSeconds();
            close();
        }
    });
    timer->start();
    if (bare)
        floor.exec();
    else
        form2.showModal();

    std::vector<double> ms;
    for (std::size_t i = kWarmUpTicks; i < ticks.size(); ++i)
        ms.push_back(std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count());
    if (ms.size() < kIntervals - 1)
        return 1;
    const double wall =
        std::chrono::duration<double>(ticks.back() - ticks[kWarmUpTicks - 1]).count();
    std::sort(ms.begin(), ms.end());
    std::printf("intervals %zu\n", ms.size());
    std::printf("median_ms %.2f\n", ms[ms.size() / 2]);
    std::printf("p99_ms %.2f\n", ms[std::size_t(double(ms.size()) * 0.99)]);
    std::printf("max_ms %.2f\n", ms.back());
    std::printf("cpu_percent %.2f\n", 100 * (cpuEnd - cpuStart) / wall);
    return 0;
}
