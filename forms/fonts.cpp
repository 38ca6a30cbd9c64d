#include "forms/fonts.h"

#include <QFontInfo>
#include <QHash>
#include <QString>
#include <QStringList>

namespace fonts {
namespace {

const QString kDefaultFace = QStringLiteral("ＭＳ Ｐゴシック");
constexpr double kDefaultPoints = 9.0;

// Called before any font of ours is made. Without it fontconfig answers the
// unknown name with a Latin face and borrows Japanese glyphs per character from
// a fixed-pitch one, so captions come out in a patchwork of two fonts.
void registerSubstitutions()
{
    static const bool done = [] {
        const QStringList stand_ins{QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                    QStringLiteral("IPA Pゴシック"),
                                    QStringLiteral("Noto Sans CJK JP")};
        QFont::insertSubstitutions(kDefaultFace, stand_ins);
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
    QFont probe(face);
    probe.setStyleHint(QFont::SansSerif);
    const QString family = QFontInfo(probe).family();
    return *resolved.insert(face, family.isEmpty() ? face : family);
}

QFont make(const QString &face, double points, int weight)
{
    registerSubstitutions();
    QFont font(installedFace(face));
    font.setPointSizeF(points);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

QFont defaultFont() { return make(kDefaultFace, kDefaultPoints, QFont::Normal); }

QFont fromLayout(const layout::Font &font)
{
    return make(layout::text(font.face), font.points, font.weight);
}

QFont forControl(const layout::Control &control)
{
    return control.font ? fromLayout(*control.font) : defaultFont();
}

} // namespace fonts
