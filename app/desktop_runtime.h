#pragma once
// The runtime the program runs on: Qt message boxes owned by the main window,
// the program file's own folder and the guide's guarded JPEG loader.

#include <QPointer>
#include <QWidget>

#include <future>

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

    /// Starts reading a picture on another thread. The next LoadPicture takes
    /// the result if it asks for the same file at the same size, and reads
    /// for itself otherwise; later ones always read anew.
    void prefetchPicture(const std::filesystem::path &path, QSize deviceSize);

private:
    QPointer<QWidget> owner_;
    std::filesystem::path prefetchPath_;
    QSize prefetchSize_;
    std::future<QImage> prefetched_;
};
