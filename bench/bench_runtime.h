#pragma once
// The desktop runtime for benchmark drivers: pictures come from a folder the
// benchmark chose, and a message box, which would mean a picture did not load,
// ends the run with an error rather than waiting for a click.

#include "qt/app/desktop_runtime.h"

class BenchRuntime final : public DesktopRuntime
{
public:
    explicit BenchRuntime(std::filesystem::path folder) : folder_(std::move(folder)) {}

    int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::filesystem::path AppPath() override { return folder_; }

    bool missingExpected = false; ///< count missing-picture boxes instead of ending the run
    int missing = 0;

private:
    std::filesystem::path folder_;
};
