#pragma once
// Form1, the main window on Windows: its frame, menu bar, child controls and
// painted floor plan, built from the core's layout table at the window's DPI.
// Its event handlers are the core's; one window procedure dispatches to them
// through the core's tables.

#include <windows.h>

#include <array>
#include <vector>

#include "core/main_form.h"
#include "core/main_layout.h"
#include "win32/forms/gdi.h"
#include "win32/forms/surface.h"

class FormsRuntime;

class Form1 final : public MainFormView
{
public:
    /// The window's class name, for tests that look for it.
    static constexpr wchar_t kClassName[] = L"MirtekaForm1";
    /// A menu item's command id is kFirstMenuId + its index in the menu table.
    static constexpr UINT kFirstMenuId = 1001;
    /// A control's id is kFirstId + its table row.
    static constexpr int kFirstId = 100;

    Form1(HINSTANCE instance, FormsRuntime &runtime);
    ~Form1();
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    /// Raises Load, then shows the window centred with the focus in Text1.
    /// False if the window could not be made.
    bool start(int show);
    HWND window() const { return window_; }

    void setCommand2Enabled(bool enabled) override;
    void setText1(std::u16string_view text) override;
    guide::Size image1DeviceSize() const override;
    void setImage1(guide::Picture picture, std::u16string_view fileName) override;
    void showForm2() override;

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);

    void create();
    void createControls();
    void placeControls();
    void onDpiChanged(UINT dpi, const RECT &suggested);
    HBRUSH colourOption(HDC dc);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND Text1 = nullptr, Command1 = nullptr, Command2 = nullptr;
    /// A child window per table row where the row has one: the windowed
    /// controls, and the painted items screen readers should find.
    std::array<HWND, std::size_t(main_layout::Id::Count)> windows_{};
    HWND plan_ = nullptr; ///< names the painted floor plan
    Surface surface_{main_layout::kControls, main_layout::kClientWidth, main_layout::kClientHeight};
    gdi::Brush optionBack_;
    MainForm form_;
};
