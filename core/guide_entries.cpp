// The guide's eight entries: headings, description lines and photograph names,
// and the one rule that turns an entry into the text box's contents.

#include "core/guide_entries.h"

namespace guide {

namespace {

// Lines after each heading; u"" is the empty line between paragraphs.
// Entry 1 has no heading, so its text starts straight with prose.
constexpr std::u16string_view kLines1[] = {
    u"パソコン部の部室って、いったいどんな所なの？",
    u"そんな質問が、ヌペ部サポートセンターには日夜数多く寄せられています。",
    u"今日は、その部室を大公開しちゃいます！",
    u"",
    u"写真1の奥が出入り口のドアです。",
    u"このドアは、入ろうとした瞬間にバタンと閉まる仕様になっています。",
    u"入るときは、まずドアに近づき、閉まってきたらすかさず一歩下がり、再び開いた瞬間にすばやく通り"
    u"抜けましょう。",
    u"たまに鳥が襲ってくるので、撃退してください。",
    u"",
    u"写真2の奥の窓からは、遠く北朝鮮まで見えるそうです。",
    u"部員たちがこの窓から日夜監視を続けているので、日本の平和は守られています。どうぞご安心くださ"
    u"い。",
};

constexpr std::u16string_view kLines2[] = {
    u"",
    u"先ほど部室の紹介でも触れた、例の望遠鏡がこちらです。",
    u"部員たちがこの望遠鏡で日夜目を光らせているおかげで、今日も日本の平和はしっかりと保たれている"
    u"のです。",
    u"決して向かいのマンションをのぞくために使っているわけではありません。ホントですよ。",
    u"今日もヌペ部員たちは、昼夜を問わず監視を続けているのであります。",
};

constexpr std::u16string_view kLines3[] = {
    u"",
    u"最新の超大型ワイドテレビです。",
    u"噂によると、なんと衛星放送まで受信できてしまうかもしれないそうです。",
    u"そのあまりの存在感に、なんだかテレビ全体が光り輝いて見えるほどです。",
    u"",
    u"左側に見えるのは、ヌペ応接セットです。",
    u"湯のみはたくさんあるのに、なぜかお湯だけはまだ一度も出てきません。",
    u"歴代の総理大臣も、ヌペ部をご訪問の際には必ずこのソファでくつろいでいかれたとか、いないとか。",
};

constexpr std::u16string_view kLines4[] = {
    u"",
    u"数あるヌペ部のパソコンの中でも、選りすぐりの最強マシン4台が、こちらでございます。",
    u"左から順に、写真1がツルカメ電機のミカヅキシリーズと大福電子のパソ太郎シリーズ、続いて写真2が"
    u"波乗工業のサザナミシリーズと日之出電算のハヤテシリーズとなっています。",
    u"型番は省略しました。決して、誰も覚えていないからではありません。",
    u"",
    u"いま話題の、あの大ヒットゲームも、実はこのマシンたちで作られたのかもしれません。たぶん。",
    u"今年はこのマシンたちがどんな奇跡を起こしてくれるのか、今から楽しみです。",
};

constexpr std::u16string_view kLines5[] = {
    u"",
    u"田んぼでおなじみのカラスよけと同じです。",
    u"しかしこちらはヌペ部が独自に開発した逸品、その正体は音楽CDなのです。音楽の力が加わっているた"
    u"め、効果は倍増です。",
    u"",
    u"ほら、たった今近づいてきたカラスも、恐怖のあまりブルブルと震えています。",
    u"見よ！これこそヌペ式カラスよけの威力だ！",
};

constexpr std::u16string_view kLines6[] = {
    u"",
    u"これは、部室の窓の外、松茂町の土地にある松の木の下に建っているので、町営の「松庵」と呼ばれて"
    u"います。",
    u"去年の半ばごろから崩れはじめ、今ではほぼ原形がありません。",
    u"骨組みしか残っていませんが、その誇りは今もなお生き続けているのです。",
};

constexpr std::u16string_view kLines7[] = {
    u"",
    u"これが、ヌペ部の守り神をまつる祭壇です。",
    u"どこかで見たような顔の神様ですが、決して気にしてはいけません。",
    u"ヌペ部の中で最もあやしく、そして最も恐れられているもの。それこそが、この祭壇なのです。",
    u"ちょっぴりこわ～い守り神様なのです。",
};

constexpr std::u16string_view kLines8[] = {
    u"",
    u"ずらりと並んだパソコンの前で、部員たちが二十四時間休みなく働かされている、ここが恐怖のCIA教室"
    u"です。",
    u"これまでに倒れた部員の数は、のべ一億人を超えるとまで言われております。",
    u"思い起こせば二十五年前、たった一個のおやつの取り合いから、ヌペ部は東ヌペ部と西ヌペ部に分裂し"
    u"、以来血で血を洗う抗争が繰り広げられてきたのです。",
    u"",
    u"しかし1999年9月、ついに西ヌペ部が勝利をおさめ、長い戦いに終止符が打たれました。",
    u"現在ヌペ部は、ひとつになって活動を続けています。",
};
constexpr std::u16string_view kLineBreak = u"\r\n";

} // namespace

constexpr std::array<Entry, 8> kEntries = {{
    {u"", kLines1, u"room1.jpg", u"room2.jpg"},
    {u"北朝鮮監視用望遠鏡", kLines2, u"kita.jpg"},
    {u"超大型ワイドテレビ　＆　ヌペ応接セット", kLines3, u"tv.jpg"},
    {u"超絶スペックのハイパ～マッシ～ン", kLines4, u"paso1.jpg", u"paso2.jpg"},
    {u"ヌペ式カラスよけ", kLines5, u"karasu.jpg"},
    {u"松茂町営「松庵」", kLines6, u"matsu.jpg"},
    {u"祭壇", kLines7, u"saidan.jpg"},
    {u"東ヌペ部（CIA教室）", kLines8, u"higashi.jpg"},
}};

namespace {

// Every entry's photographs in entry order; the count must come out at ten.
constexpr std::array<std::u16string_view, 10> collectPictureFiles()
{
    std::array<std::u16string_view, 10> files{};
    std::size_t n = 0;
    for (const Entry &entry : kEntries) {
        files.at(n++) = entry.picture;
        if (entry.hasPhoto2())
            files.at(n++) = entry.photo2;
    }
    if (n != files.size())
        throw "ten picture files"; // not a constant expression: fails the build
    return files;
}

} // namespace

constexpr std::array<std::u16string_view, 10> kPictureFiles = collectPictureFiles();

std::u16string_view photoButtonPicture(int selection, int button)
{
    if (selection < 1 || selection > int(kEntries.size()))
        return {};
    const Entry &entry = kEntries[std::size_t(selection) - 1];
    if (!entry.hasPhoto2())
        return {};
    return button == 2 ? entry.photo2 : entry.picture;
}

std::u16string spotName(const Entry &entry)
{
    if (entry.heading.empty())
        return u"部室（入り口のドアと窓）";
    return std::u16string(entry.heading);
}

std::u16string composeText(const Entry &entry)
{
    std::u16string text;
    bool first = true;
    const auto append = [&](std::u16string_view line) {
        if (!first)
            text += kLineBreak;
        text += line;
        first = false;
    };
    if (!entry.heading.empty())
        append(entry.heading);
    for (const std::u16string_view line : entry.lines)
        append(line);
    return text;
}

} // namespace guide
