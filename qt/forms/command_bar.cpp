#include "qt/forms/command_bar.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyleOptionMenuItem>

namespace {

// What a screen reader sees of a command: a menu item whose press action
// queues the command and returns at once.
class CommandAccessible final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    CommandAccessible(CommandBar *bar, QAction *command) : bar_(bar), command_(command) {}

    bool isValid() const override { return bar_ && command_; }
    QObject *object() const override { return command_; }
    QWindow *window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(bar_.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && command_ ? QString(command_->text()).remove(u'&')
                                                  : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = bar_->actionGeometry(command_);
        return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.disabled = !command_->isEnabled();
        s.invisible = !command_->isVisible() || !bar_->isVisible();
        s.focusable = true;
        s.focused = bar_->hasFocus() && bar_->activeAction() == command_;
        s.hotTracked = bar_->activeAction() == command_;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && isValid() && command_->isEnabled())
            bar_->runLater(command_);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<CommandBar> bar_;
    QPointer<QAction> command_;
};

// Commands are plain actions named by their bar; the factory knows them by that.
QAccessibleInterface *commandFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto *action = static_cast<QAction *>(object);
    for (QObject *owner : action->associatedObjects())
        if (auto *bar = qobject_cast<CommandBar *>(owner))
            return new CommandAccessible(bar, action);
    return nullptr;
}

} // namespace

CommandBar::CommandBar(QWidget *window) : QMenuBar(window)
{
    static const bool installed = [] {
        QAccessible::installFactory(commandFactory);
        return true;
    }();
    (void)installed;
    setNativeMenuBar(false); // commands, not menus: they stay in the window
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(f10, &QShortcut::activated, this, &CommandBar::toggleKeyboardMode);
}

QAction *CommandBar::addCommand(const QString &caption)
{
    auto *command = new QAction(caption, this);
    addAction(command);
    return command;
}

void CommandBar::runLater(QAction *command)
{
    if (inKeyboardMode())
        toggleKeyboardMode();
    // By name: the functor overloads allocate a call object that the static
    // analyser cannot follow into Qt and reports as leaked.
    QMetaObject::invokeMethod(command, "trigger", Qt::QueuedConnection);
}

// Styles draw a menu-bar item highlighted only while its menu is open; these
// items have none, so mark the keyboard's item as open to have it drawn.
void CommandBar::initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const
{
    QMenuBar::initStyleOption(option, action);
    if (hasFocus() && (option->state & QStyle::State_Selected))
        option->state |= QStyle::State_Sunken;
}

void CommandBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (QAction *command = activeAction(); command && command->isEnabled()) {
            runLater(command);
            return;
        }
        break;
    default:
        break;
    }
    QMenuBar::keyPressEvent(event);
}

// A lone Alt enters and leaves the bar, noting which control had the focus;
// F10 and a chosen command replay one to the window, so all three ways agree.
void CommandBar::toggleKeyboardMode()
{
    if (!isVisible())
        return;
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    for (QKeyEvent *event : {&override, &press, &release})
        QCoreApplication::sendEvent(window(), event);
}
