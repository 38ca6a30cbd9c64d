#pragma once
// Form2, the version-information window: the program's icon, its title
// gliding left and right under a 50 ms timer, a notice, the credits and OK.
// It lives only while it is shown: every opening is a fresh instance, owned
// by the window it stands in front of.

#include <QDialog>

#include "core/version_form.h"

class Surface;
class QPushButton;
class QTimer;

class Form2 final : public QDialog, private VersionFormView
{
    Q_OBJECT

public:
    explicit Form2(QWidget *owner = nullptr);

    /// Shows the window modally: returns once it is closed, by OK or by its close box.
    void showModal();

    // What tests look at.
    qint16 direction() const { return form_.Direction; }
    float label1Left() const override;
    float label1Width() const override;
    /// The outer width in twips, borders included, as the step reads it.
    float outerWidth() const override;
    QPushButton *command1() const { return Command1; }
    QTimer *timer1() const { return Timer1; }
    Surface *surface() const { return surface_; }

    // Event handlers, each what the core's handler of the same name does.
    void Form_Load() { form_.Form_Load(); }
    void Command1_Click() { form_.Command1_Click(); }
    void Timer1_Timer() { form_.Timer1_Timer(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setLabel1Left(float left) override;
    void Hide() override;
    void Unload() override;

    VersionForm form_{*this};
    Surface *surface_ = nullptr;
    QPushButton *Command1 = nullptr;
    QTimer *Timer1 = nullptr;
};
