#include "qt/forms/option_button.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

namespace {

// What a screen reader sees of an option button: a radio button whose
// actions do what the mouse and the keyboard do. Press and toggle click it;
// taking the focus selects it, as the arrow keys do, so a focused spot is
// always the selected one. The click is queued: a message box that its Click
// opens must not hold up the reader's call.
class OptionAccessible final : public QAccessibleWidget
{
public:
    explicit OptionAccessible(OptionButton *button)
        : QAccessibleWidget(button, QAccessible::RadioButton)
    {}

    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            s = button()->text().remove(u'&');
        return s;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }

    QStringList actionNames() const override
    {
        if (!widget()->isEnabled())
            return {};
        return {pressAction(), toggleAction(), setFocusAction()};
    }

    void doAction(const QString &name) override
    {
        OptionButton *b = button();
        if (!b->isEnabled())
            return;
        if (name == pressAction() || name == toggleAction()) {
            clickLater(b);
        } else if (name == setFocusAction()) {
            b->setFocus(Qt::OtherFocusReason);
            if (!b->isChecked())
                clickLater(b);
        }
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    OptionButton *button() const { return static_cast<OptionButton *>(widget()); }

    static void clickLater(OptionButton *b)
    {
        // By name: the functor overloads allocate a call object that the
        // static analyser cannot follow into Qt and reports as leaked.
        QMetaObject::invokeMethod(b, "click", Qt::QueuedConnection);
    }
};

QAccessibleInterface *optionFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(OptionButton::staticMetaObject.className()) &&
        object->isWidgetType())
        return new OptionAccessible(static_cast<OptionButton *>(object));
    return nullptr;
}

} // namespace

OptionButton::OptionButton(const QString &caption, QColor back, QWidget *parent)
    : QRadioButton(caption, parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(optionFactory);
        return true;
    }();
    (void)installed;
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
