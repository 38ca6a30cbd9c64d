#pragma once
// A runtime for tests: answers message boxes from a script and records what
// was asked, points the program's folder wherever the test likes, counts
// picture loads (which still go through the real loader) and notes End
// instead of ending the test.

#include <QFile>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

#include "qt/app/desktop_runtime.h"
#include "qt/forms/qt_convert.h"

/// A path as the tests compare it: the system's bytes decoded as file names are.
inline QString pathText(const std::filesystem::path &path)
{
    return QFile::decodeName(path.c_str());
}

class FakeRuntime final : public DesktopRuntime
{
public:
    struct Asked
    {
        QString prompt;
        int style;
        QString title;
        bool mainWindowVisible; ///< whether the window under test was on screen then
    };

    explicit FakeRuntime(std::filesystem::path folder = {}) : folder(std::move(folder)) {}
    explicit FakeRuntime(const QString &folder) : folder(QFile::encodeName(folder).toStdString()) {}

    int MsgBox(std::u16string_view prompt, int style, std::u16string_view title) override
    {
        asked.push_back(
            {toQString(prompt), style, toQString(title), watched && watched->isVisible()});
        if (onMsgBox)
            onMsgBox();
        if (answers.empty())
            return style == vbYesNo ? 0 : vbOK; // 0: nobody scripted an answer to a question
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::filesystem::path AppPath() override { return folder; }

    guide::Picture LoadPicture(const std::filesystem::path &path, guide::Size deviceSize) override
    {
        loads.push_back(path);
        loadSizes.emplace_back(deviceSize.width, deviceSize.height);
        return DesktopRuntime::LoadPicture(path, deviceSize);
    }

    void End() override { ++ended; }

    std::filesystem::path folder;
    std::deque<int> answers;
    std::vector<Asked> asked;
    std::vector<std::filesystem::path> loads;
    std::vector<QSize> loadSizes;
    int ended = 0;
    QWidget *watched = nullptr;
    std::function<void()> onMsgBox;
};

/// What the runtime's LoadPicture gives, as the window shows it.
inline QImage loadedImage(FormsRuntime &runtime, const std::filesystem::path &path, QSize size)
{
    return toQImage(runtime.LoadPicture(path, toSize(size)));
}
