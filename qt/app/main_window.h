#pragma once
// Form1, the main window: the floor plan of the club room with its eight
// spots, the photograph frame with its two buttons, the description box and
// the menu bar. Its behaviour is the event handlers below.

#include <QMainWindow>

#include <array>
#include <filesystem>

#include "core/main_form.h"
#include "core/main_layout.h"

class AccessibleImage;
class Surface;
class FormsRuntime;
class OptionButton;
class QAction;
class QPushButton;
class TextBox;

class Form1 final : public QMainWindow, private MainFormView
{
    Q_OBJECT

public:
    explicit Form1(FormsRuntime &runtime);

    /// Start-up: raises Load while the window is hidden, then shows it centred
    /// with the focus in the description box.
    void start();

    /// The file Load shows first, in the program's folder `folder`, and the
    /// device size it is shown at on a screen of `dpr`: what start-up can
    /// read ahead before the window exists.
    static std::filesystem::path firstPicturePath(const std::filesystem::path &folder)
    {
        return MainForm::firstPicturePath(folder);
    }
    static QSize image1DeviceSize(qreal dpr);

    // What tests look at.
    qint16 selectionNumber() const { return form_.SelectionNumber; }
    const std::filesystem::path &picturePath() const { return form_.PicturePath; }
    qint16 exitAnswer() const { return form_.ExitAnswer; }
    OptionButton *option(int n) const { return options_[n - 1]; }
    QPushButton *command1() const { return Command1; }
    QPushButton *command2() const { return Command2; }
    TextBox *text1() const { return Text1; }
    QAction *endItem() const { return End; }
    QAction *verItem() const { return Ver; }
    Surface *surface() const { return surface_; }
    AccessibleImage *image1Access() const { return image1Access_; }
    const QImage &image1Picture() const;

    /// The event handlers, the core's: the runtime raises them through its
    /// tables, and so can a test, even where the window would not (a disabled button).
    MainForm &handlers() { return form_; }

private:
    void buildControls();
    void buildMenu();

    // What the handlers change.
    void setCommand2Enabled(bool enabled) override;
    void setText1(std::u16string_view text) override;
    guide::Size image1DeviceSize() const override;
    void setImage1(guide::Picture picture, std::u16string_view fileName) override;
    void showForm2() override;

    MainForm form_;
    Surface *surface_ = nullptr;
    std::array<OptionButton *, 8> options_{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    TextBox *Text1 = nullptr;
    QAction *End = nullptr;
    QAction *Ver = nullptr;
    AccessibleImage *image1Access_ = nullptr; // what screen readers see of Image1
};
