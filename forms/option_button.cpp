#include "forms/option_button.h"

#include <QKeyEvent>

OptionButton::OptionButton(const QString &caption, QColor back, QWidget *parent)
    : QRadioButton(caption, parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Button, back);
    setPalette(pal);
    setAutoFillBackground(true);
    // Unselected buttons are reachable by mouse only, so Tab enters the group at its selection.
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QRadioButton::toggled, this,
            [this](bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
}

void OptionButton::setNeighbours(OptionButton *previous, OptionButton *next)
{
    previous_ = previous;
    next_ = next;
}

void OptionButton::keyPressEvent(QKeyEvent *event)
{
    OptionButton *target = nullptr;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        target = previous_;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        target = next_;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    if (target) {
        target->setFocus(Qt::OtherFocusReason);
        target->click();
    }
}
