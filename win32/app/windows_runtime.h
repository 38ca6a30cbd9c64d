#pragma once
// The forms runtime on Windows: message boxes with Japanese buttons, the
// program file's folder, the core's picture loader (a slow picture waited for
// with the windows painting), and the end of the program.

#include <windows.h>

#include "core/forms_runtime.h"

class WindowsRuntime final : public FormsRuntime
{
public:
    /// The window message boxes belong to (the main window, once it exists).
    void setOwner(HWND owner) { owner_ = owner; }

    int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::filesystem::path AppPath() override;
    guide::Picture LoadPicture(const std::filesystem::path &path, guide::Size deviceSize) override;
    void End() override;

private:
    HWND owner_ = nullptr;
};
