#pragma once
// Form2, the version-information window: the program's icon, its title
// gliding left and right under a 50 ms timer, a notice, the credits and OK.
// It lives only while it is shown: every opening is a fresh instance, owned
// by the window it stands in front of.

#include <QDialog>

class FormSurface;
class QPushButton;
class QTimer;

class Form2 final : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(QWidget *owner = nullptr);

    /// Shows the window modally: returns once it is closed, by OK or by its close box.
    void showModal();

    // What tests look at.
    qint16 direction() const { return Direction; }
    double label1Left() const;
    double label1Width() const;
    /// The outer width in twips, borders included, as the step reads it.
    double outerWidth() const;
    QPushButton *command1() const { return Command1; }
    QTimer *timer1() const { return Timer1; }
    FormSurface *surface() const { return surface_; }

    void Form_Load();
    void Command1_Click();
    void Timer1_Timer();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    FormSurface *surface_ = nullptr;
    QPushButton *Command1 = nullptr;
    QTimer *Timer1 = nullptr;

    qint16 Direction = 0;
};
