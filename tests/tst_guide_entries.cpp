// The guide entries as the text box shows them: headings, paragraph layout,
// the exact composed text (by digest), the CR LF joining, each entry's
// photographs, and which file each photo button shows.

#include "core/guide_entries.h"

#include <QCryptographicHash>
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
    void photoButtons();
    void pictureFilesAreTheEntriesOwn();
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
    QTest::addColumn<int>("composedLength"); // CR LF counts two
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("photo2"); // empty: "写真2" disabled
    // SHA-256 of the composed text in UTF-8, taken from the reviewed texts: any
    // change of a character, even one that keeps every length, shows here.
    QTest::addColumn<QByteArray>("digest");

    // Escapes keep look-alike characters (ideographic space, fullwidth forms) honest.
    QTest::newRow("1") << 0 << QString() << 11 << QList{4, 9} << 292 << "room1.jpg"
                       << "room2.jpg"
                       << QByteArray(
                              "54a26a7698e03c41ab518dd06a46136b74aba6a9b351467e689eaf28c4208f7a");
    QTest::newRow("2") << 1 << toQString(u"北朝鮮監視用望遠鏡") << 6 << QList{2} << 168
                       << "kita.jpg" << QString()
                       << QByteArray(
                              "790f313bf2be059f5653852b3c5f6f22f9fedc7c5f919a0431f5b05b2db30482");
    QTest::newRow("3") << 2 << toQString(u"超大型ワイドテレビ\u3000\uFF06\u3000ヌペ応接セット") << 9
                       << QList{2, 6} << 216 << "tv.jpg" << QString()
                       << QByteArray(
                              "82cfec41c30cb5c2eb030f7a93a0f27fc5be4d45c4868939c19a07da3d50d134");
    QTest::newRow("4") << 3 << toQString(u"超絶スペックのハイパ\uFF5Eマッシ\uFF5Eン") << 8
                       << QList{2, 6} << 265 << "paso1.jpg"
                       << "paso2.jpg"
                       << QByteArray(
                              "b6b8699d06e87831e4831a63c94d3df3f555789f34edeef8443da2b715d3c6ff");
    QTest::newRow("5") << 4 << toQString(u"ヌペ式カラスよけ") << 7 << QList{2, 5} << 153
                       << "karasu.jpg" << QString()
                       << QByteArray(
                              "fa52d527954e5fc73a6aeb29c88a6b0635022d3c22373c980e71d74a187bc0f7");
    QTest::newRow("6") << 5 << toQString(u"松茂町営「松庵」") << 5 << QList{2} << 129 << "matsu.jpg"
                       << QString()
                       << QByteArray(
                              "be1ddd20e507df3391f390913961c403b98b2aeb61f54f55ff765b07f67c6b18");
    QTest::newRow("7") << 6 << toQString(u"祭壇") << 6 << QList{2} << 124 << "saidan.jpg"
                       << QString()
                       << QByteArray(
                              "2255bf14b4b4216e374d098c9348a8281f03ee1896d61cfd08f5c389de3d63a1");
    QTest::newRow("8") << 7 << toQString(u"東ヌペ部\uFF08CIA教室\uFF09") << 8 << QList{2, 6} << 248
                       << "higashi.jpg" << QString()
                       << QByteArray(
                              "32e3b314e945dd486ba1948ae65b54ba670db730f88894d7165538745bddbe9c");
}

void TestGuideEntries::entry()
{
    QFETCH(int, index);
    QFETCH(QString, heading);
    QFETCH(int, lineCount);
    QFETCH(QList<int>, empties);
    QFETCH(QString, picture);
    QFETCH(QString, photo2);
    const guide::Entry &entry = kEntries[std::size_t(index)];

    QCOMPARE(toQString(entry.heading), heading);
    QCOMPARE(toQString(entry.picture), picture);
    QCOMPARE(toQString(entry.photo2), photo2);
    QCOMPARE(entry.hasPhoto2(), !photo2.isEmpty());

    const QStringList lines = allLines(entry);
    QCOMPARE(lines.size(), lineCount);
    QList<int> foundEmpties;
    for (int i = heading.isEmpty() ? 0 : 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        QVERIFY2(!line.contains(u'\r') && !line.contains(u'\n'), qPrintable(line));
        QVERIFY2(std::none_of(line.begin(), line.end(), [](QChar c) { return c.isSurrogate(); }),
                 qPrintable(line));
        if (line.isEmpty())
            foundEmpties << i + 1;
    }
    QCOMPARE(foundEmpties, empties);
}

void TestGuideEntries::composedText()
{
    QFETCH(int, index);
    QFETCH(int, lineCount);
    QFETCH(int, composedLength);
    QFETCH(QByteArray, digest);
    const guide::Entry &entry = kEntries[std::size_t(index)];
    const QString text = toQString(guide::composeText(entry));

    QCOMPARE(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex(), digest);

    QCOMPARE(text.size(), composedLength);
    QVERIFY(!text.startsWith(u'\r') && !text.startsWith(u'\n'));
    QVERIFY(!text.endsWith(u'\r') && !text.endsWith(u'\n'));
    // Every CR is followed by an LF and every LF preceded by a CR.
    QCOMPARE(text.count(u'\r'), lineCount - 1);
    QCOMPARE(text.count(u'\n'), lineCount - 1);
    QCOMPARE(text.count(kCrLf), lineCount - 1);
    QCOMPARE(text.split(kCrLf), allLines(entry));
}

// Each photo button shows its own photograph at the two entries that have two,
// and nothing anywhere else, out-of-range selections included.
void TestGuideEntries::photoButtons()
{
    const auto file = [](int selection, int button) {
        return toQString(guide::photoButtonPicture(selection, button));
    };
    QCOMPARE(file(1, 1), "room1.jpg");
    QCOMPARE(file(1, 2), "room2.jpg");
    QCOMPARE(file(4, 1), "paso1.jpg");
    QCOMPARE(file(4, 2), "paso2.jpg");
    for (int selection : {-1, 0, 2, 3, 5, 6, 7, 8, 9, 32767})
        for (int button : {1, 2})
            QVERIFY2(file(selection, button).isEmpty(), qPrintable(QString::number(selection)));
}

// The ten files the program reads are exactly the entries' photographs, each once.
void TestGuideEntries::pictureFilesAreTheEntriesOwn()
{
    QStringList fromEntries;
    for (const guide::Entry &entry : kEntries) {
        fromEntries << toQString(entry.picture);
        if (entry.hasPhoto2())
            fromEntries << toQString(entry.photo2);
    }
    QStringList files;
    for (const std::u16string_view f : guide::kPictureFiles)
        files << toQString(f);
    QCOMPARE(files, fromEntries);
    files.removeDuplicates();
    QCOMPARE(files.size(), 10);
    for (const QString &f : files)
        QVERIFY2(f.endsWith(".jpg") && !f.contains(u'/') && !f.contains(u'\\'), qPrintable(f));
}

QTEST_APPLESS_MAIN(TestGuideEntries)
#include "tst_guide_entries.moc"
