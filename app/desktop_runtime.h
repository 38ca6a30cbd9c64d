#pragma once
// The runtime the program runs on: Qt message boxes, the program file's own
// folder and the guide's guarded JPEG loader.

#include "forms/forms_runtime.h"

class DesktopRuntime : public FormsRuntime
{
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override;
    std::filesystem::path AppPath() override;
    QImage LoadPicture(const std::filesystem::path &path, QSize deviceSize) override;
    void End() override;
};
