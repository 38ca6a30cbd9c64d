#include "win32/app/windows_runtime.h"

#include "core/picture_loader.h"
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

guide::Picture WindowsRuntime::LoadPicture(const std::filesystem::path &path,
                                           guide::Size deviceSize)
{
    return guide::loadPicture(path, deviceSize);
}

// At once: no window gets another message, and the status is success.
void WindowsRuntime::End() { ExitProcess(0); }
