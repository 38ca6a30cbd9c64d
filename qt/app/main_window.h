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

    // Event handlers, each what the core's handler of the same name does.
    // Public because the runtime raises them by name, and so can a test, even
    // where the window would not (a disabled button).
    void Form_Load() { form_.Form_Load(); }
    void Option1_Click() { form_.Option1_Click(); }
    void Option2_Click() { form_.Option2_Click(); }
    void Option3_Click() { form_.Option3_Click(); }
    void Option4_Click() { form_.Option4_Click(); }
    void Option5_Click() { form_.Option5_Click(); }
    void Option6_Click() { form_.Option6_Click(); }
    void Option7_Click() { form_.Option7_Click(); }
    void Option8_Click() { form_.Option8_Click(); }
    void Command1_Click() { form_.Command1_Click(); }
    void Command2_Click() { form_.Command2_Click(); }
    void End_Click() { form_.End_Click(); }
    void Ver_Click() { form_.Ver_Click(); }

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
