#include "qt/forms/standard_texts.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <array>
#include <utility>

#include "core/desktop_texts.h"
#include "qt/forms/classic_palette.h"
#include "qt/forms/classic_style.h"
#include "qt/forms/qt_convert.h"

namespace standard_texts {
namespace {

// Qt names the editor's standard actions; the captions follow the Japanese
// desktop's, and so do the shortcuts shown after them (Ctrl and the key; none
// for 0), whatever key scheme the desktop's theme picks. TextBox takes each.
struct EditAction
{
    const char *name;
    desktop_texts::Edit command;
    Qt::Key ctrlKey;
};
using desktop_texts::Edit;
constexpr std::array<EditAction, 7> kEditActions{{
    {"edit-undo", Edit::Undo, Qt::Key_Z},
    {"edit-redo", Edit::Redo, Qt::Key_Y},
    {"edit-cut", Edit::Cut, Qt::Key_X},
    {"edit-copy", Edit::Copy, Qt::Key_C},
    {"edit-paste", Edit::Paste, Qt::Key_V},
    {"edit-delete", Edit::Delete, Qt::Key(0)},
    {"select-all", Edit::SelectAll, Qt::Key_A},
}};

// The scroll bar's menu after "ここにスクロール", in Qt's order: the captions on
// a vertical and a horizontal bar and the step each takes; no step, a separator.
struct ScrollStep
{
    const char16_t *vertical;
    const char16_t *horizontal;
    QAbstractSlider::SliderAction action;
};
constexpr std::array<ScrollStep, 9> kScrollSteps{{
    {u"", u"", QAbstractSlider::SliderNoAction},
    {u"上端", u"左端", QAbstractSlider::SliderToMinimum},
    {u"下端", u"右端", QAbstractSlider::SliderToMaximum},
    {u"", u"", QAbstractSlider::SliderNoAction},
    {u"1 ページ上へ", u"1 ページ左へ", QAbstractSlider::SliderPageStepSub},
    {u"1 ページ下へ", u"1 ページ右へ", QAbstractSlider::SliderPageStepAdd},
    {u"", u"", QAbstractSlider::SliderNoAction},
    {u"上へスクロール", u"左へスクロール", QAbstractSlider::SliderSingleStepSub},
    {u"下へスクロール", u"右へスクロール", QAbstractSlider::SliderSingleStepAdd},
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

QString yes() { return toQString(desktop_texts::kYes); }
QString no() { return toQString(desktop_texts::kNo); }
QString ok() { return toQString(desktop_texts::kOk); }

QMenu *editMenu(QPlainTextEdit &editor, const QPoint &position)
{
    QMenu *menu = editor.createStandardContextMenu(position);
    for (QAction *action : menu->actions()) {
        for (const auto &[name, command, ctrlKey] : kEditActions) {
            if (action->objectName() != QLatin1String(name))
                continue;
            QString text = toQString(desktop_texts::caption(command));
            if (ctrlKey != Qt::Key(0))
                text += u'\t' + QKeySequence(Qt::CTRL | ctrlKey).toString(QKeySequence::NativeText);
            action->setText(text);
        }
    }
    classic_palette::pin(*menu);
    classic_style::pin(*menu);
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
    for (const ScrollStep &step : kScrollSteps) {
        const QAbstractSlider::SliderAction action = step.action;
        if (action == QAbstractSlider::SliderNoAction) {
            menu->addSeparator();
            continue;
        }
        menu->addAction(fromTable(vertical ? step.vertical : step.horizontal), &bar,
                        [target, action] { target->triggerAction(action); });
    }
    classic_palette::pin(*menu);
    classic_style::pin(*menu);
    return menu;
}

} // namespace standard_texts
