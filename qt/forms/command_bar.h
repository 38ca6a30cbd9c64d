#pragma once
// A menu bar whose items are commands: choosing one runs it, no menu drops
// down. By keyboard, Alt or F10 enters the bar with its first item drawn
// highlighted, ← and → move, Enter runs the item and Esc leaves; either way
// the focus goes back to the control that had it. A command chosen by
// keyboard or by a screen reader runs once the bar has let go, so a modal
// window it opens neither runs inside the key press nor blocks the reader.

#include <QMenuBar>
#include <QPointer>

class CommandBar final : public QMenuBar
{
    Q_OBJECT

public:
    explicit CommandBar(QWidget *window);

    /// A command at the end of the bar; its `triggered` is what runs it.
    QAction *addCommand(const QString &caption);

    /// Whether the keyboard is in the bar (entered by Alt or F10).
    bool inKeyboardMode() const { return hasFocus(); }

    /// Runs a command after the current event, the focus back where it was.
    void runLater(QAction *command);

protected:
    void initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void toggleKeyboardMode();
};
