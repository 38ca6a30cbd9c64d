#pragma once
// A command button that Enter presses while it has the focus, as Space does,
// without being any window's default button: Enter elsewhere (in a text box,
// say) keeps its own meaning.

#include <QPushButton>

class CommandButton final : public QPushButton
{
    Q_OBJECT

public:
    CommandButton(const QString &caption, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
