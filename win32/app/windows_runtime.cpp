#include "win32/app/windows_runtime.h"

#include <atomic>

#include "core/picture_loader.h"
#include "core/picture_wait.h"
#include "win32/forms/message_box.h"
#include "win32/forms/program_folder.h"
#include "win32/forms/wide.h"

int WindowsRuntime::MsgBox(std::u16string_view prompt, int style, std::u16string_view title)
{
    const int pressed = message_box::show(owner_, wide::view(prompt), wide::view(title),
                                          style == vbYesNo ? MB_YESNO : MB_OK);
    if (style == vbYesNo)
        return pressed == IDYES ? vbYes : vbNo;
    return vbOK;
}

std::filesystem::path WindowsRuntime::AppPath() { return program_folder::get(); }

namespace {

// The wait's event loop on Windows: the thread's messages but for mouse and
// keyboard input, which stays queued, woken by an event the decode's thread sets.
class Win32PictureWait final : public picture_wait::EventLoop
{
public:
    Win32PictureWait() : woken_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~Win32PictureWait()
    {
        if (woken_)
            CloseHandle(woken_);
    }
    Win32PictureWait(const Win32PictureWait &) = delete;
    Win32PictureWait &operator=(const Win32PictureWait &) = delete;

    void paintUntil(const std::atomic<bool> &done) override
    {
        constexpr UINT kNoInput = PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
        constexpr DWORD kWakeOn = QS_PAINT | QS_POSTMESSAGE | QS_TIMER | QS_SENDMESSAGE;
        bool quit = false;
        int status = 0;
        MSG msg;
        while (!done) {
            while (!done && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | kNoInput)) {
                if (msg.message == WM_QUIT) { // for the main loop, once the handler is done
                    quit = true;
                    status = int(msg.wParam);
                    continue;
                }
                DispatchMessageW(&msg);
            }
            // Without an event the wait polls, as a wake could otherwise be missed.
            if (!done)
                MsgWaitForMultipleObjectsEx(woken_ ? 1 : 0, woken_ ? &woken_ : nullptr,
                                            woken_ ? INFINITE : 10, kWakeOn, 0);
        }
        if (quit)
            PostQuitMessage(status);
    }
    void wake() override
    {
        if (woken_)
            SetEvent(woken_);
    }
    void setBusy(bool busy) override
    {
        // Input waits meanwhile, so no WM_SETCURSOR puts the arrow back before this does.
        if (busy)
            previous_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        else
            SetCursor(previous_);
    }

private:
    HANDLE woken_;
    HCURSOR previous_ = nullptr;
};

} // namespace

guide::Picture WindowsRuntime::LoadPicture(const std::filesystem::path &path,
                                           guide::Size deviceSize)
{
    Win32PictureWait loop;
    return picture_wait::wait(loop, [&] { return guide::loadPicture(path, deviceSize); });
}

// At once: no window gets another message, and the status is success.
void WindowsRuntime::End() { ExitProcess(0); }
