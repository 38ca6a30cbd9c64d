#include "web/app/web_runtime.h"

#include <emscripten.h>

#include <string>

#include "core/picture_loader.h"
#include "web/forms/message_box.h"

namespace {

// The file `name` from beside the page, into the module's file system at
// `path`, or nothing there when it cannot be had (missing, refused, offline
// and not cached). The pointer is busy meanwhile; the page keeps painting.
// clang-format off
EM_ASYNC_JS(void, js_fetch_site_file, (const char *name, const char *path), {
    const target = UTF8ToString(path);
    try { FS.unlink(target); } catch (e) { /* none there yet */ }
    try {
        const response = await fetch(encodeURIComponent(UTF8ToString(name)));
        if (!response.ok) return;
        FS.writeFile(target, new Uint8Array(await response.arrayBuffer()));
    } catch (e) {
        /* no file: the loader finds none */
    }
});

EM_JS(void, js_end, (), { Forms.end(); });
// clang-format on

} // namespace

int WebRuntime::MsgBox(std::u16string_view prompt, int style, std::u16string_view title)
{
    return forms::messageBox(prompt, style == vbYesNo, title);
}

std::filesystem::path WebRuntime::AppPath() { return kSiteFolder; }

guide::Picture WebRuntime::LoadPicture(const std::filesystem::path &path, guide::Size deviceSize)
{
    // Only files of the site's own folder are fetched.
    if (path.parent_path() != kSiteFolder)
        return {};
    js_fetch_site_file(path.filename().string().c_str(), path.string().c_str());
    return guide::loadPicture(path, deviceSize);
}

void WebRuntime::End() { js_end(); }
