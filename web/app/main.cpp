// The guide in the browser: the page loads the module, connects its toolkit
// and starts the program as its first queued event.

#include <emscripten.h>

#include <filesystem>
#include <memory>

#include "web/app/main_window.h"
#include "web/app/web_runtime.h"
#include "web/forms/events.h"

namespace {

WebRuntime runtime;
std::unique_ptr<Form1> form1;

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void mirteka_start()
{
    std::filesystem::create_directories(WebRuntime::kSiteFolder);
    form1 = std::make_unique<Form1>(runtime);
    forms::post([] { form1->start(); });
}
