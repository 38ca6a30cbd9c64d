#pragma once
// The services the windows take from their platform: the message box, the
// program's folder, picture loading and the end of the program. The windows
// call them only through this interface, so tests can hand in a runtime that
// answers message boxes from a script and points at a folder of their own.

#include <filesystem>
#include <string_view>

#include "core/picture.h"

/// Button numbers that `MsgBox` returns.
enum MsgBoxResult : int { vbOK = 1, vbYes = 6, vbNo = 7 };

/// Styles that `MsgBox` accepts.
enum MsgBoxStyle : int { vbOKOnly = 0, vbYesNo = 4 };

class FormsRuntime
{
public:
    virtual ~FormsRuntime() = default;

    /// A modal message box without an icon; returns the button pressed. Lines
    /// of `prompt` are joined by CR LF.
    virtual int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) = 0;

    /// The folder of the program file as the system names it, without a
    /// trailing separator except at a root; empty when it cannot be named.
    virtual std::filesystem::path AppPath() = 0;

    /// The picture at `path` stretched to exactly `deviceSize` pixels, or a
    /// null picture when the file is missing, unreadable or not a picture.
    virtual guide::Picture LoadPicture(const std::filesystem::path &path,
                                       guide::Size deviceSize) = 0;

    /// Ends the program at once, every window with it.
    virtual void End() = 0;
};
