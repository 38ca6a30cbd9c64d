#pragma once
// What Form1's event handlers do, once for every front end: which entry a spot
// selects, which photograph each photo button shows, the order in which the
// text, 写真2 and the picture are set, the missing-picture message and the exit
// question. A front end's Form1 implements MainFormView (its controls) and
// wires each control's Click to the handler the tables below give it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "core/main_layout.h"
#include "core/picture.h"

class FormsRuntime;

/// The controls of Form1 that its handlers change.
class MainFormView
{
public:
    virtual void setCommand2Enabled(bool enabled) = 0;
    virtual void setText1(std::u16string_view text) = 0;
    /// The photograph frame's size in device pixels, as it is now.
    virtual guide::Size image1DeviceSize() const = 0;
    /// Shows `picture`, loaded from the guide's file `fileName`, in the frame.
    virtual void setImage1(guide::Picture picture, std::u16string_view fileName) = 0;
    /// Shows Form2 modally: returns once it is closed.
    virtual void showForm2() = 0;

protected:
    ~MainFormView() = default;
};

class MainForm
{
public:
    MainForm(MainFormView &view, FormsRuntime &runtime) : view_(view), runtime_(runtime) {}

    std::int16_t SelectionNumber = 0;  ///< the entry chosen last, 1 to 8 from Load on
    std::filesystem::path PicturePath; ///< the file ShowPicture read last
    std::int16_t ExitAnswer = 0;       ///< the exit question's answer

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

    using Handler = void (MainForm::*)();

    /// OptionN's Click handler is kOptionClicks[N - 1].
    static const std::array<Handler, 8> kOptionClicks;
    /// The menu items' Click handlers, in the order of main_layout::kMenu.
    static const std::array<Handler, main_layout::kMenu.size()> kMenuClicks;
    /// The Click handler of the control `id` (a spot or a photo button), or null.
    static Handler clickHandler(main_layout::Id id);

    /// The file Load shows first, in the program's folder `folder`.
    static std::filesystem::path firstPicturePath(const std::filesystem::path &folder);

    /// `fileName` in `folder`: the folder's own bytes, one separator, the name.
    static std::filesystem::path picturePathIn(const std::filesystem::path &folder,
                                               std::u16string_view fileName);

private:
    void selectEntry(int n);
    void ShowPicture(std::u16string_view fileName);

    MainFormView &view_;
    FormsRuntime &runtime_;
};
