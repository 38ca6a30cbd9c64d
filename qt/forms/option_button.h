#pragma once
// An option button of a group that is one tab stop: only the selected button
// takes the focus by Tab, and the arrow keys move the selection around the
// group in its tab order, clicking the newly selected button. Screen readers
// find the same: their press, toggle and focus actions click it.

#include <QRadioButton>

class OptionButton final : public QRadioButton
{
    Q_OBJECT

public:
    OptionButton(const QString &caption, QColor back, QWidget *parent);

    /// The buttons before and after this one in the group's tab order.
    void setNeighbours(OptionButton *previous, OptionButton *next);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    OptionButton *previous_ = nullptr;
    OptionButton *next_ = nullptr;
};
