#include "qt/forms/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QString>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

#include "qt/forms/qt_convert.h"

namespace fonts {
namespace {

// Reading fontconfig's configuration and cache is a sixth of the time to the
// first frame and needs nothing of Qt. fontconfig loads it once however many
// threads ask, so Qt finds it ready; if Qt asks first, the two just race to
// the same result.
class ConfigurationLoader
{
public:
    void start()
    {
        if (thread_.joinable())
            return;
        try {
            thread_ = std::thread([] { FcInit(); });
        } catch (const std::system_error &) {
            // No thread to be had: Qt reads the configuration itself when it needs it.
        }
    }
    void wait()
    {
        if (thread_.joinable())
            thread_.join();
    }
    ~ConfigurationLoader() { wait(); }

private:
    std::thread thread_;
};

ConfigurationLoader &configurationLoader()
{
    static ConfigurationLoader loader;
    return loader;
}

// Called before any font of ours is made. Without it fontconfig answers the
// unknown name with a Latin face and borrows Japanese glyphs per character from
// a fixed-pitch one, so captions come out in a patchwork of two fonts.
void registerSubstitutions()
{
    static const bool done = [] {
        const QStringList stand_ins{QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                    QStringLiteral("IPA Pゴシック"),
                                    QStringLiteral("Noto Sans CJK JP")};
        QFont::insertSubstitutions(toQString(layout::kDefaultFont.face), stand_ins);
        QFont::insertSubstitutions(QStringLiteral("MS PGothic"), stand_ins.mid(1));
        return true;
    }();
    (void)done;
}

// The family that the face resolves to here: itself where it is installed,
// else the stand-in that the substitutions and fontconfig's aliases lead to.
// Left unresolved, the font database searches fontconfig's fallbacks again for
// every size and weight, which cost a sixth of start-up; resolved once, the
// later fonts go straight to the installed family.
QString installedFace(const QString &face)
{
    static QHash<QString, QString> resolved;
    if (const auto it = resolved.constFind(face); it != resolved.cend())
        return *it;
    // Looked up by name first: a probe font costs a font engine and a search
    // of fontconfig's fallbacks that no later font reuses. Substitutes come
    // back in lower case; the database has each family's own spelling.
    const QStringList installed = QFontDatabase::families();
    for (const QString &name : QStringList{face} + QFont::substitutes(face))
        for (const QString &family : installed)
            if (family.compare(name, Qt::CaseInsensitive) == 0)
                return *resolved.insert(face, family);
    QFont probe(face);
    probe.setStyleHint(QFont::SansSerif);
    const QString family = QFontInfo(probe).family();
    return *resolved.insert(face, family.isEmpty() ? face : family);
}

QFont make(const QString &face, double points, int weight)
{
    configurationLoader().wait();
    registerSubstitutions();
    QFont font(installedFace(face));
    font.setPointSizeF(points);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleHint(QFont::SansSerif);
    // Stems on whole pixels both ways and whole-pixel advances, as the classic
    // desktop drew its Gothic faces: crisper at the 9-point size than the
    // vertical-only hinting most desktops default to, and each glyph is hinted
    // once rather than once for every quarter-pixel offset it is drawn at.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

void preloadConfiguration() { configurationLoader().start(); }

QFont defaultFont() { return fromLayout(layout::kDefaultFont); }

QFont fromLayout(const layout::Font &font)
{
    return make(toQString(font.face), font.points, font.weight);
}

QFont forControl(const layout::Control &control)
{
    return control.font ? fromLayout(*control.font) : defaultFont();
}

} // namespace fonts
