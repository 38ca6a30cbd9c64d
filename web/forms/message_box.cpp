#include "web/forms/message_box.h"

#include <emscripten.h>

#include "core/desktop_texts.h"
#include "web/forms/page_text.h"

namespace forms {
namespace {

// clang-format off
EM_ASYNC_JS(int, js_message_box, (const char16_t *prompt, int promptLength, int yesNo,
                                  const char16_t *title, int titleLength,
                                  const char16_t *yes, int yesLength,
                                  const char16_t *no, int noLength,
                                  const char16_t *ok, int okLength), {
    return await Forms.messageBox(Forms.text(prompt, promptLength), yesNo !== 0,
                                  Forms.text(title, titleLength),
                                  [Forms.text(yes, yesLength), Forms.text(no, noLength),
                                   Forms.text(ok, okLength)]);
});
// clang-format on

} // namespace

int messageBox(std::u16string_view prompt, bool yesNo, std::u16string_view title)
{
    const PageText p = pageText(prompt), t = pageText(title);
    const PageText yes = pageText(desktop_texts::kYes), no = pageText(desktop_texts::kNo),
                   ok = pageText(desktop_texts::kOk);
    return js_message_box(p.data, p.length, yesNo ? 1 : 0, t.data, t.length, yes.data, yes.length,
                          no.data, no.length, ok.data, ok.length);
}

} // namespace forms
