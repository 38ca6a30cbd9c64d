#pragma once
// Form1, the main window: the floor plan of the club room with its eight
// spots, the photograph frame with its two buttons, the description box and
// the menu bar. Its behaviour is the event handlers below.

#include <QMainWindow>

#include <array>
#include <filesystem>

#include "app/main_layout.h"

class AccessibleImage;
class FormSurface;
class FormsRuntime;
class OptionButton;
class QAction;
class QPushButton;
class TextBox;

class Form1 final : public QMainWindow
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
    static std::filesystem::path firstPicturePath(const std::filesystem::path &folder);
    static QSize image1DeviceSize(qreal dpr);

    // What tests look at.
    qint16 selectionNumber() const { return SelectionNumber; }
    const std::filesystem::path &picturePath() const { return PicturePath; }
    qint16 exitAnswer() const { return ExitAnswer; }
    OptionButton *option(int n) const { return options_[n - 1]; }
    QPushButton *command1() const { return Command1; }
    QPushButton *command2() const { return Command2; }
    TextBox *text1() const { return Text1; }
    QAction *endItem() const { return End; }
    QAction *verItem() const { return Ver; }
    FormSurface *surface() const { return surface_; }
    AccessibleImage *image1Access() const { return image1Access_; }
    const QImage &image1Picture() const;

    // Event handlers. Public because the runtime raises them by name, and so
    // can a test, even where the window would not (a disabled button).
    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Option7_Click();
    void Option8_Click();
    void Command1_Click();
    void Command2_Click();
    void End_Click();
    void Ver_Click();

private:
    void buildControls();
    void buildMenu();
    void selectEntry(int n);
    void ShowPicture(const QString &fileName);
    QSize image1DeviceSize() const;

    FormsRuntime &runtime_;
    FormSurface *surface_ = nullptr;
    std::array<OptionButton *, 8> options_{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    TextBox *Text1 = nullptr;
    QAction *End = nullptr;
    QAction *Ver = nullptr;
    AccessibleImage *image1Access_ = nullptr; // what screen readers see of Image1

    qint16 SelectionNumber = 0;
    std::filesystem::path PicturePath;
    qint16 ExitAnswer = 0;
};
