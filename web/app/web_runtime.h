#pragma once
// The browser's runtime for the windows: message boxes in the page, the
// site's folder as the program's folder, photographs fetched from beside the
// page and decoded by the core's guarded loader, and the end of the guide.

#include "core/forms_runtime.h"

class WebRuntime final : public FormsRuntime
{
public:
    /// The folder in the module's file system that stands for the site's
    /// folder: a photograph is fetched into it just before it is read.
    static constexpr const char *kSiteFolder = "/site";

    int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::filesystem::path AppPath() override;
    guide::Picture LoadPicture(const std::filesystem::path &path, guide::Size deviceSize) override;
    void End() override;
};
