#include "web/forms/message_box.h"

#include <emscripten.h>

#include "web/forms/page_text.h"

namespace forms {
namespace {

// clang-format off
EM_ASYNC_JS(int, js_message_box, (const char16_t *prompt, int promptLength, int yesNo,
                                  const char16_t *title, int titleLength), {
    return await Forms.messageBox(Forms.text(prompt, promptLength), yesNo !== 0,
                                  Forms.text(title, titleLength));
});
// clang-format on

} // namespace

int messageBox(std::u16string_view prompt, bool yesNo, std::u16string_view title)
{
    const PageText p = pageText(prompt), t = pageText(title);
    return js_message_box(p.data, p.length, yesNo ? 1 : 0, t.data, t.length);
}

} // namespace forms
