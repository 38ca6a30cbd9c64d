#include "web/forms/window.h"

#include <emscripten.h>

#include <utility>

#include "core/desktop_texts.h"
#include "web/forms/events.h"
#include "web/forms/page_text.h"

namespace forms {
namespace {

// clang-format off
EM_JS(void, js_create_window, (const char16_t *host, int hostLength, const char16_t *caption, int captionLength), {
    Forms.createWindow(Forms.text(host, hostLength), Forms.text(caption, captionLength));
});

EM_JS(void, js_describe_window, (const char16_t *host, int hostLength, const char16_t *text, int textLength), {
    Forms.windowOf(Forms.text(host, hostLength)).setAttribute('aria-description', Forms.text(text, textLength));
});

EM_JS(void, js_add_close_box, (const char16_t *host, int hostLength, const char16_t *id, int idLength,
                               const char16_t *name, int nameLength, int handler), {
    Forms.addCloseBox(Forms.windowOf(Forms.text(host, hostLength)), Forms.text(id, idLength),
                      Forms.text(name, nameLength), () => Forms.fire(handler, false));
});

EM_ASYNC_JS(void, js_show_window, (const char16_t *host, int hostLength), {
    await Forms.showModal(Forms.windowOf(Forms.text(host, hostLength)));
});

EM_JS(void, js_hide_window, (const char16_t *host, int hostLength), {
    const window = Forms.windowOf(Forms.text(host, hostLength));
    if (window && window.open) window.close();
});

EM_JS(int, js_window_width, (const char16_t *host, int hostLength), {
    return Forms.windowOf(Forms.text(host, hostLength)).offsetWidth;
});

EM_JS(void, js_remove_window, (const char16_t *host, int hostLength), {
    const window = Forms.windowOf(Forms.text(host, hostLength));
    if (window) window.remove();
});
// clang-format on

} // namespace

Window::Window(std::u16string_view name, std::u16string_view caption)
    : name_(name), host_(std::u16string(name) + u"-client")
{
    const PageText h = pageText(host_), c = pageText(caption);
    js_create_window(h.data, h.length, c.data, c.length);
}

Window::~Window()
{
    if (closeHandler_ != 0)
        removeHandler(closeHandler_);
    const PageText h = pageText(host_);
    js_remove_window(h.data, h.length);
}

void Window::setDescription(std::u16string_view description)
{
    const PageText h = pageText(host_), d = pageText(description);
    js_describe_window(h.data, h.length, d.data, d.length);
}

void Window::addCloseBox(std::function<void()> onClose)
{
    closeHandler_ = addHandler(std::move(onClose));
    const std::u16string id = name_ + u"-Close";
    const PageText h = pageText(host_), i = pageText(id), n = pageText(desktop_texts::kClose);
    js_add_close_box(h.data, h.length, i.data, i.length, n.data, n.length, closeHandler_);
}

void Window::showModal()
{
    const PageText h = pageText(host_);
    js_show_window(h.data, h.length);
}

void Window::hide()
{
    const PageText h = pageText(host_);
    js_hide_window(h.data, h.length);
}

int Window::outerWidth() const
{
    const PageText h = pageText(host_);
    return js_window_width(h.data, h.length);
}

} // namespace forms
