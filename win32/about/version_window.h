#pragma once
// Form2, the version window on Windows: modal to its owner, its title label
// gliding under a 50-millisecond timer owned by the window. Its handlers are
// the core's; this class holds the window, its controls and their painting.

#include <windows.h>

#include <array>

#include "core/version_form.h"
#include "core/version_layout.h"
#include "win32/forms/surface.h"

class Form2 final : public VersionFormView
{
public:
    /// The window's class name, for tests that look for it.
    static constexpr wchar_t kClassName[] = L"MirtekaForm2";

    Form2(HINSTANCE instance, HWND owner);
    ~Form2();
    Form2(const Form2 &) = delete;
    Form2 &operator=(const Form2 &) = delete;

    /// Shows the window centred, modal to its owner; returns once it is closed,
    /// and destroys it then.
    void showModal();

    float label1Left() const override;
    void setLabel1Left(float left) override;
    float label1Width() const override;
    float outerWidth() const override;
    void Hide() override;
    void Unload() override;

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Command1_Click();
    void Timer1_Timer();

    void create();
    void placeControls();
    void onDpiChanged(UINT dpi, const RECT &suggested);

    HINSTANCE instance_;
    HWND owner_;
    HWND window_ = nullptr;
    HWND Command1 = nullptr;
    /// Child windows that show the painted labels and the icon, for screen readers.
    std::array<HWND, std::size_t(version_layout::Id::Count)> hosts_{};
    Surface surface_{version_layout::kControls, version_layout::kClientWidth,
                     version_layout::kClientHeight};
    HICON icon_ = nullptr;
    bool unloaded_ = false; ///< hidden, timer stopped; destroyed once the modal loop ends
    VersionForm form_{*this};
};
