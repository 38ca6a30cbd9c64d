#pragma once
// The services the windows take from their platform: the message box, the
// program's folder, picture loading and the end of the program. The windows
// call them only through this interface, so tests can hand in a runtime that
// answers message boxes from a script and points at a folder of their own.

#include <QImage>
#include <QSize>
#include <QString>

#include <filesystem>

/// Button numbers that `MsgBox` returns.
enum MsgBoxResult : int { vbOK = 1, vbYes = 6, vbNo = 7 };

/// Styles that `MsgBox` accepts.
enum MsgBoxStyle : int { vbOKOnly = 0, vbYesNo = 4 };

class FormsRuntime
{
public:
    virtual ~FormsRuntime() = default;

    /// A modal message box without an icon; returns the button pressed.
    virtual int MsgBox(const QString &prompt, int style, const QString &title) = 0;

    /// The folder of the program file, as the system names it, without a
    /// trailing separator except at a root; empty when it cannot be named.
    virtual std::filesystem::path AppPath() = 0;

    /// The picture at `path` decoded to exactly `deviceSize` pixels, or a null
    /// image when the file is missing, unreadable or not a picture.
    virtual QImage LoadPicture(const std::filesystem::path &path, QSize deviceSize) = 0;

    /// Ends the program at once, every window with it.
    virtual void End() = 0;
};

/// The real thing: Qt message boxes, the executable's folder, the guarded JPEG loader.
class DesktopRuntime : public FormsRuntime
{
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override;
    std::filesystem::path AppPath() override;
    QImage LoadPicture(const std::filesystem::path &path, QSize deviceSize) override;
    void End() override;
};
