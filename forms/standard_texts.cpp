#include "forms/standard_texts.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <array>
#include <utility>

#include "forms/classic_palette.h"

namespace standard_texts {
namespace {

// Qt names the editor's standard actions; the captions follow the Japanese desktop's.
constexpr std::array<std::pair<const char *, const char16_t *>, 7> kEditActions{{
    {"edit-undo", u"元に戻す(&U)"},
    {"edit-redo", u"やり直し(&R)"},
    {"edit-cut", u"切り取り(&T)"},
    {"edit-copy", u"コピー(&C)"},
    {"edit-paste", u"貼り付け(&P)"},
    {"edit-delete", u"削除(&D)"},
    {"select-all", u"すべて選択(&A)"},
}};

QString fromTable(const char16_t *text) { return QString::fromUtf16(text); }

// Where a click at `position` puts the slider's middle, as Qt's own "scroll here" does.
int valueAt(const QScrollBar &bar, const QPoint &position)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    const QStyle *style = bar.style();
    const QRect groove =
        style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, &bar);
    const QRect slider =
        style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
    const bool vertical = bar.orientation() == Qt::Vertical;
    const int length = vertical ? slider.height() : slider.width();
    const int start = vertical ? groove.top() : groove.left();
    const int span = (vertical ? groove.height() : groove.width()) - length;
    const int at = (vertical ? position.y() : position.x()) - start - length / 2;
    return QStyle::sliderValueFromPosition(bar.minimum(), bar.maximum(), at, span,
                                           option.upsideDown);
}

} // namespace

QString yes() { return QStringLiteral("はい(&Y)"); }
QString no() { return QStringLiteral("いいえ(&N)"); }
QString ok() { return QStringLiteral("OK"); }

QMenu *editMenu(QPlainTextEdit &editor, const QPoint &position)
{
    QMenu *menu = editor.createStandardContextMenu(position);
    for (QAction *action : menu->actions()) {
        for (const auto &[name, caption] : kEditActions) {
            if (action->objectName() != QLatin1String(name))
                continue;
            const QString text = action->text();
            const qsizetype tab = text.indexOf(u'\t');
            action->setText(fromTable(caption) + (tab < 0 ? QString() : text.mid(tab)));
        }
    }
    classic_palette::pin(*menu);
    return menu;
}

QMenu *scrollBarMenu(QScrollBar &bar, const QPoint &position)
{
    const bool vertical = bar.orientation() == Qt::Vertical;
    auto *menu = new QMenu(&bar);
    const int here = valueAt(bar, position);
    QScrollBar *target = &bar;
    menu->addAction(QStringLiteral("ここにスクロール"), &bar,
                    [target, here] { target->setValue(here); });
    menu->addSeparator();
    const auto step = [&](const QString &caption, QAbstractSlider::SliderAction action) {
        menu->addAction(caption, &bar, [target, action] { target->triggerAction(action); });
    };
    step(vertical ? QStringLiteral("上端") : QStringLiteral("左端"),
         QAbstractSlider::SliderToMinimum);
    step(vertical ? QStringLiteral("下端") : QStringLiteral("右端"),
         QAbstractSlider::SliderToMaximum);
    menu->addSeparator();
    step(vertical ? QStringLiteral("1 ページ上へ") : QStringLiteral("1 ページ左へ"),
         QAbstractSlider::SliderPageStepSub);
    step(vertical ? QStringLiteral("1 ページ下へ") : QStringLiteral("1 ページ右へ"),
         QAbstractSlider::SliderPageStepAdd);
    menu->addSeparator();
    step(vertical ? QStringLiteral("上へスクロール") : QStringLiteral("左へスクロール"),
         QAbstractSlider::SliderSingleStepSub);
    step(vertical ? QStringLiteral("下へスクロール") : QStringLiteral("右へスクロール"),
         QAbstractSlider::SliderSingleStepAdd);
    classic_palette::pin(*menu);
    return menu;
}

} // namespace standard_texts
