#pragma once
// The runtime the program runs on: Qt message boxes owned by the main window,
// the program file's own folder and the guide's guarded JPEG loader.

#include <QPointer>
#include <QWidget>

#include "forms/forms_runtime.h"

class DesktopRuntime : public FormsRuntime
{
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override;
    std::filesystem::path AppPath() override;
    QImage LoadPicture(const std::filesystem::path &path, QSize deviceSize) override;
    void End() override;

    /// The window that owns every message box: they stand in front of it, as
    /// its transients on X11 and its children on Wayland, and centre on it.
    void setOwner(QWidget *owner) { owner_ = owner; }

private:
    QPointer<QWidget> owner_;
};
