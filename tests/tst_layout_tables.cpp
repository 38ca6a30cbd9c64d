// Invariants of both windows' layout tables, from the tables alone: no
// widget, no window, no display. Names are unique and follow their kind, each
// kind counts what the window has and numbers its controls from 1 without a
// gap, tab indices run from 0 without a gap, one option button starts
// selected, and every control lies inside its window's client area.

#include <QSet>
#include <QTest>

#include <algorithm>
#include <array>
#include <map>

#include "about/version_layout.h"
#include "app/main_layout.h"
#include "forms/layout.h"

namespace {

using layout::Kind;

struct Window
{
    const char *name;
    layout::Table table;
    int clientWidth, clientHeight; ///< twips
    std::map<Kind, int> counts;    ///< controls of each kind; kinds not named: none
};

const std::array<Window, 2> kWindows{{
    {"Form1",
     main_layout::kControls,
     main_layout::kClientWidth,
     main_layout::kClientHeight,
     {{Kind::OptionButton, 8},
      {Kind::CommandButton, 2},
      {Kind::TextBox, 1},
      {Kind::Image, 1},
      {Kind::Label, 5},
      {Kind::Shape, 18},
      {Kind::Line, 29}}},
    {"Form2",
     version_layout::kControls,
     version_layout::kClientWidth,
     version_layout::kClientHeight,
     {{Kind::CommandButton, 1}, {Kind::Image, 1}, {Kind::Label, 3}}},
}};

// The name every control of a kind carries before its number.
QString prefix(Kind kind)
{
    switch (kind) {
    case Kind::OptionButton:
        return QStringLiteral("Option");
    case Kind::CommandButton:
        return QStringLiteral("Command");
    case Kind::TextBox:
        return QStringLiteral("Text");
    case Kind::Image:
        return QStringLiteral("Image");
    case Kind::Label:
        return QStringLiteral("Label");
    case Kind::Shape:
        return QStringLiteral("Shape");
    case Kind::Line:
        return QStringLiteral("Line");
    }
    return {};
}

// One row per window, for the test functions' data.
void windowRows()
{
    QTest::addColumn<int>("window");
    for (int i = 0; i < int(kWindows.size()); ++i)
        QTest::newRow(kWindows[i].name) << i;
}

bool hasTabStop(Kind kind)
{
    return kind != Kind::Shape && kind != Kind::Line && kind != Kind::Image;
}

} // namespace

class TestLayoutTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesAreUniqueAndNumberedByKind_data() { windowRows(); }
    void namesAreUniqueAndNumberedByKind()
    {
        QFETCH(int, window);
        const Window &w = kWindows[window];
        QSet<QString> names;
        std::map<Kind, QList<int>> numbers;
        for (const layout::Control &c : w.table) {
            const QString name = layout::text(c.name);
            QVERIFY2(!names.contains(name), qPrintable(name + " twice"));
            names.insert(name);
            QVERIFY2(name.startsWith(prefix(c.kind)),
                     qPrintable(name + " is not named for its kind"));
            bool isNumber = false;
            const int n = name.mid(prefix(c.kind).size()).toInt(&isNumber);
            QVERIFY2(isNumber, qPrintable(name));
            numbers[c.kind].append(n);
        }
        for (auto &[kind, taken] : numbers) {
            std::sort(taken.begin(), taken.end());
            for (int i = 0; i < int(taken.size()); ++i)
                QVERIFY2(taken[i] == i + 1, qPrintable(prefix(kind) + " numbers have a gap"));
        }
    }

    void countsPerKind_data() { windowRows(); }
    void countsPerKind()
    {
        QFETCH(int, window);
        const Window &w = kWindows[window];
        std::map<Kind, int> counts;
        for (const layout::Control &c : w.table)
            ++counts[c.kind];
        for (Kind kind : {Kind::OptionButton, Kind::CommandButton, Kind::TextBox, Kind::Image,
                          Kind::Label, Kind::Shape, Kind::Line}) {
            const int expected = w.counts.count(kind) ? w.counts.at(kind) : 0;
            QVERIFY2(counts[kind] == expected, qPrintable(QStringLiteral("%1: %2, not %3")
                                                              .arg(prefix(kind))
                                                              .arg(counts[kind])
                                                              .arg(expected)));
        }
    }

    void everyControlInsideTheClientArea_data() { windowRows(); }
    void everyControlInsideTheClientArea()
    {
        QFETCH(int, window);
        const Window &w = kWindows[window];
        const auto inside = [&w](int x, int y) {
            return x >= 0 && y >= 0 && x <= w.clientWidth && y <= w.clientHeight;
        };
        for (const layout::Control &c : w.table) {
            const QByteArray name = layout::text(c.name).toUtf8();
            if (c.kind == Kind::Line) { // two end points
                QVERIFY2(inside(c.left, c.top) && inside(c.width, c.height), name);
                QVERIFY2(c.lineWidth >= 1, name);
                continue;
            }
            QVERIFY2(c.width > 0 && c.height > 0, name);
            QVERIFY2(inside(c.left, c.top), name);
            QVERIFY2(inside(c.left + c.width, c.top + c.height), name);
        }
    }

    // Tab indices 0, 1, 2 … on the controls that can have one, each once.
    void tabIndicesRunWithoutGap_data() { windowRows(); }
    void tabIndicesRunWithoutGap()
    {
        QFETCH(int, window);
        const Window &w = kWindows[window];
        QList<int> taken;
        for (const layout::Control &c : w.table) {
            const QByteArray name = layout::text(c.name).toUtf8();
            QVERIFY2(hasTabStop(c.kind) == (c.tabIndex >= 0), name);
            if (c.tabIndex >= 0)
                taken.append(c.tabIndex);
        }
        std::sort(taken.begin(), taken.end());
        for (int i = 0; i < int(taken.size()); ++i)
            QCOMPARE(taken[i], i);
    }

    // One option button selected at start where there are any; captions on
    // the labels and buttons, whose text is what they show.
    void initialStateAndCaptions_data() { windowRows(); }
    void initialStateAndCaptions()
    {
        QFETCH(int, window);
        const Window &w = kWindows[window];
        int selected = 0, options = 0;
        for (const layout::Control &c : w.table) {
            const QByteArray name = layout::text(c.name).toUtf8();
            options += c.kind == Kind::OptionButton;
            selected += c.selected;
            QVERIFY2(!c.selected || c.kind == Kind::OptionButton, name);
            if (c.kind == Kind::Label || c.kind == Kind::CommandButton)
                QVERIFY2(!c.caption.empty(), name);
        }
        QCOMPARE(selected, options > 0 ? 1 : 0);
    }
};

QTEST_APPLESS_MAIN(TestLayoutTables)
#include "tst_layout_tables.moc"
