#pragma once
// The runtime the program runs on: Qt message boxes owned by the main window,
// the program file's own folder and the guide's guarded JPEG loader.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <future>

#include "core/forms_runtime.h"

class DesktopRuntime : public FormsRuntime
{
public:
    int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::filesystem::path AppPath() override;
    guide::Picture LoadPicture(const std::filesystem::path &path, guide::Size deviceSize) override;
    void End() override;

    /// The window that owns every message box: they stand in front of it, as
    /// its transients on X11 and its children on Wayland, and centre on it.
    void setOwner(QWidget *owner) { owner_ = owner; }

    /// What reads a picture; guide::loadPicture unless a test hands in another.
    using Loader = std::function<guide::Picture(const std::filesystem::path &, guide::Size)>;
    void setLoader(Loader loader) { loader_ = std::move(loader); }

    /// Starts reading a picture on another thread. The next LoadPicture takes
    /// the result if it asks for the same file at the same size, and reads
    /// for itself otherwise; later ones always read anew.
    void prefetchPicture(const std::filesystem::path &path, guide::Size deviceSize);

private:
    QPointer<QWidget> owner_;
    std::filesystem::path prefetchPath_;
    guide::Size prefetchSize_;
    std::future<guide::Picture> prefetched_;
    Loader loader_;
};
