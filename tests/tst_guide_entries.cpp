// The guide entries as the text box shows them: headings, paragraph layout,
// line lengths, the CR LF joining, and each entry's Photo 2 flag and picture.

#include "guide/guide_entries.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <algorithm>

using guide::kEntries;

class TestGuideEntries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entry_data();
    void entry();
    void composedText_data() { entry_data(); }
    void composedText();
};

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString toQString(std::u16string_view view)
{
    return QStringView(view.data(), qsizetype(view.size())).toString();
}

// All lines of an entry as the text box numbers them: heading first, if any.
QStringList allLines(const guide::Entry &entry)
{
    QStringList lines;
    if (!entry.heading.empty())
        lines << toQString(entry.heading);
    for (const std::u16string_view line : entry.lines)
        lines << toQString(line);
    return lines;
}

} // namespace

void TestGuideEntries::entry_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("lineCount");      // heading included
    QTest::addColumn<QList<int>>("empties"); // 1-based, heading is line 1
    QTest::addColumn<QList<int>>("lengths"); // prose lines, in order
    QTest::addColumn<int>("composedLength"); // CR LF counts two
    QTest::addColumn<bool>("photo2");
    QTest::addColumn<QString>("picture");

    // Escapes keep look-alike characters (ideographic space, fullwidth forms) honest.
    QTest::newRow("1") << 0 << QString() << 11 << QList{4, 9}
                       << QList{22, 34, 19, 16, 32, 53, 22, 26, 48} << 292 << true << "room1.jpg";
    QTest::newRow("2") << 1 << toQString(u"北朝鮮監視用望遠鏡") << 6 << QList{2}
                       << QList{26, 50, 41, 32} << 168 << false << "kita.jpg";
    QTest::newRow("3") << 2 << toQString(u"超大型ワイドテレビ\u3000\uFF06\u3000ヌペ応接セット") << 9
                       << QList{2, 6} << QList{15, 34, 34, 19, 33, 46} << 216 << false << "tv.jpg";
    QTest::newRow("4") << 3 << toQString(u"超絶スペックのハイパ\uFF5Eマッシ\uFF5Eン") << 8
                       << QList{2, 6} << QList{41, 82, 32, 44, 36} << 265 << true << "paso1.jpg";
    QTest::newRow("5") << 4 << toQString(u"ヌペ式カラスよけ") << 7 << QList{2, 5}
                       << QList{20, 57, 36, 20} << 153 << false << "karasu.jpg";
    QTest::newRow("6") << 5 << toQString(u"松茂町営「松庵」") << 5 << QList{2} << QList{50, 29, 34}
                       << 129 << false << "matsu.jpg";
    QTest::newRow("7") << 6 << toQString(u"祭壇") << 6 << QList{2} << QList{20, 31, 43, 18} << 124
                       << false << "saidan.jpg";
    QTest::newRow("8") << 7 << toQString(u"東ヌペ部\uFF08CIA教室\uFF09") << 8 << QList{2, 6}
                       << QList{51, 35, 71, 42, 24} << 248 << false << "higashi.jpg";
}

void TestGuideEntries::entry()
{
    QFETCH(int, index);
    QFETCH(QString, heading);
    QFETCH(int, lineCount);
    QFETCH(QList<int>, empties);
    QFETCH(QList<int>, lengths);
    QFETCH(bool, photo2);
    QFETCH(QString, picture);
    const guide::Entry &entry = kEntries[std::size_t(index)];

    QCOMPARE(toQString(entry.heading), heading);
    QCOMPARE(entry.photo2, photo2);
    QCOMPARE(toQString(entry.picture), picture);

    const QStringList lines = allLines(entry);
    QCOMPARE(lines.size(), lineCount);
    QList<int> foundEmpties;
    QList<int> foundLengths;
    for (int i = heading.isEmpty() ? 0 : 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        QVERIFY2(!line.contains(u'\r') && !line.contains(u'\n'), qPrintable(line));
        QVERIFY2(std::none_of(line.begin(), line.end(), [](QChar c) { return c.isSurrogate(); }),
                 qPrintable(line));
        if (line.isEmpty())
            foundEmpties << i + 1;
        else
            foundLengths << int(line.size());
    }
    QCOMPARE(foundEmpties, empties);
    QCOMPARE(foundLengths, lengths);
}

void TestGuideEntries::composedText()
{
    QFETCH(int, index);
    QFETCH(int, lineCount);
    QFETCH(int, composedLength);
    const guide::Entry &entry = kEntries[std::size_t(index)];
    const QString text = guide::composeText(entry);

    QCOMPARE(text.size(), composedLength);
    QVERIFY(!text.startsWith(u'\r') && !text.startsWith(u'\n'));
    QVERIFY(!text.endsWith(u'\r') && !text.endsWith(u'\n'));
    // Every CR is followed by an LF and every LF preceded by a CR.
    QCOMPARE(text.count(u'\r'), lineCount - 1);
    QCOMPARE(text.count(u'\n'), lineCount - 1);
    QCOMPARE(text.count(kCrLf), lineCount - 1);
    QCOMPARE(text.split(kCrLf), allLines(entry));
}

QTEST_APPLESS_MAIN(TestGuideEntries)
#include "tst_guide_entries.moc"
