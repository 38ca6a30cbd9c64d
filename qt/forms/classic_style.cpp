#include "qt/forms/classic_style.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>

namespace classic_style {
namespace {

// The application's style but for the two hints a theme sets for dialog
// buttons; it draws nothing differently.
class ButtonBoxStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        switch (hint) {
        case SH_DialogButtonLayout:
            return QDialogButtonBox::WinLayout;
        case SH_DialogButtonBox_ButtonsHaveIcons:
            return 0;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

// One for all boxes, gone with the application.
QStyle *buttonBoxStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new ButtonBoxStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

void pin(QMessageBox &box)
{
    auto *buttons = box.findChild<QDialogButtonBox *>();
    if (!buttons)
        return;
    // Passed on to its buttons, later ones too; the box lays them out anew by its order.
    buttons->setStyle(buttonBoxStyle());
    for (QAbstractButton *button : buttons->buttons())
        button->setIcon(QIcon());
}

void pin(QMenu &menu)
{
    for (QAction *action : menu.actions())
        action->setIcon(QIcon());
}

} // namespace classic_style
