#include "web/forms/controls.h"

#include <emscripten.h>

#include <string>

#include "core/twips.h"
#include "web/forms/page_text.h"

namespace forms {
namespace {

// clang-format off
EM_JS(void, js_add_option, (int surface, const char16_t *id, int idLength, const int *rect, int depth,
                            int back, const char16_t *caption, int captionLength, int checked,
                            const char16_t *group, int groupLength, const char16_t *name, int nameLength,
                            const char16_t *description, int descriptionLength, int handler), {
    Forms.addOption(surface, Forms.text(id, idLength), HEAP32.slice(rect >> 2, (rect >> 2) + 4), depth,
                    back, Forms.text(caption, captionLength), checked !== 0, Forms.text(group, groupLength),
                    Forms.text(name, nameLength), Forms.text(description, descriptionLength),
                    () => Forms.fire(handler, true));
});

EM_JS(void, js_add_command, (int surface, const char16_t *id, int idLength, const int *rect, int depth,
                             const char16_t *caption, int captionLength,
                             const char16_t *description, int descriptionLength, int handler, int queued), {
    Forms.addCommand(surface, Forms.text(id, idLength), HEAP32.slice(rect >> 2, (rect >> 2) + 4), depth,
                     Forms.text(caption, captionLength), Forms.text(description, descriptionLength),
                     () => Forms.fire(handler, queued !== 0));
});

EM_JS(void, js_add_text_box, (int surface, const char16_t *id, int idLength, const int *rect, int depth,
                              const char16_t *name, int nameLength,
                              const char16_t *description, int descriptionLength), {
    Forms.addTextBox(surface, Forms.text(id, idLength), HEAP32.slice(rect >> 2, (rect >> 2) + 4), depth,
                     Forms.text(name, nameLength), Forms.text(description, descriptionLength));
});

EM_JS(void, js_add_image_access, (int surface, const char16_t *id, int idLength, const int *rect,
                                  const char16_t *name, int nameLength,
                                  const char16_t *description, int descriptionLength), {
    Forms.addImageAccess(surface, Forms.text(id, idLength), HEAP32.slice(rect >> 2, (rect >> 2) + 4),
                         Forms.text(name, nameLength), Forms.text(description, descriptionLength));
});

EM_JS(void, js_add_menu_item, (const char16_t *host, int hostLength, const char16_t *id, int idLength,
                               const char16_t *caption, int captionLength,
                               const char16_t *description, int descriptionLength, int handler), {
    Forms.addMenuItem(document.getElementById(Forms.text(host, hostLength)), Forms.text(id, idLength),
                      Forms.text(caption, captionLength), Forms.text(description, descriptionLength),
                      () => Forms.fire(handler, true));
});

EM_JS(void, js_set_enabled, (const char16_t *id, int idLength, int enabled), {
    document.getElementById(Forms.text(id, idLength)).disabled = enabled === 0;
});

EM_JS(void, js_set_text, (const char16_t *id, int idLength, const char16_t *text, int textLength), {
    const box = document.getElementById(Forms.text(id, idLength));
    box.value = Forms.text(text, textLength);
    box.setSelectionRange(0, 0); // the caret and the view at the start, as a new text has
    box.scrollTop = 0;
});

EM_JS(void, js_set_description, (const char16_t *id, int idLength, const char16_t *text, int textLength), {
    document.getElementById(Forms.text(id, idLength)).setAttribute('aria-description', Forms.text(text, textLength));
});

EM_JS(void, js_set_focus, (const char16_t *id, int idLength), {
    document.getElementById(Forms.text(id, idLength)).focus();
});
// clang-format on

// A control's place in logical pixels, from its edges in twips.
struct PixelRect
{
    int values[4];
};

PixelRect pixelRect(const layout::Control &c)
{
    const twips::Rect r = twips::toPixelRect(c.left, c.top, c.width, c.height);
    return {{r.x, r.y, r.width, r.height}};
}

} // namespace

void addOption(Surface &surface, int row, std::u16string_view group,
               std::u16string_view accessibleName, std::u16string_view description,
               std::function<void()> onClick)
{
    const layout::Control &c = surface.scene().table()[std::size_t(row)];
    const std::u16string id = surface.elementId(c.name);
    const PixelRect rect = pixelRect(c);
    const PageText i = pageText(id), cap = pageText(c.caption), g = pageText(group),
                   n = pageText(accessibleName), d = pageText(description);
    js_add_option(surface.id(), i.data, i.length, rect.values, row, int(c.fill), cap.data,
                  cap.length, c.selected ? 1 : 0, g.data, g.length, n.data, n.length, d.data,
                  d.length, addHandler(std::move(onClick)));
}

void addCommand(Surface &surface, int row, std::u16string_view description, Delivery delivery,
                std::function<void()> onClick)
{
    const layout::Control &c = surface.scene().table()[std::size_t(row)];
    const std::u16string id = surface.elementId(c.name);
    const PixelRect rect = pixelRect(c);
    const PageText i = pageText(id), cap = pageText(c.caption), d = pageText(description);
    js_add_command(surface.id(), i.data, i.length, rect.values, row, cap.data, cap.length, d.data,
                   d.length, addHandler(std::move(onClick)), delivery == Delivery::Queued ? 1 : 0);
}

void addTextBox(Surface &surface, int row, std::u16string_view accessibleName,
                std::u16string_view description)
{
    const layout::Control &c = surface.scene().table()[std::size_t(row)];
    const std::u16string id = surface.elementId(c.name);
    const PixelRect rect = pixelRect(c);
    const PageText i = pageText(id), n = pageText(accessibleName), d = pageText(description);
    js_add_text_box(surface.id(), i.data, i.length, rect.values, row, n.data, n.length, d.data,
                    d.length);
}

void addImageAccess(Surface &surface, int row, std::u16string_view name,
                    std::u16string_view description)
{
    const layout::Control &c = surface.scene().table()[std::size_t(row)];
    const std::u16string id = surface.elementId(c.name);
    const PixelRect rect = pixelRect(c);
    const PageText i = pageText(id), n = pageText(name), d = pageText(description);
    js_add_image_access(surface.id(), i.data, i.length, rect.values, n.data, n.length, d.data,
                        d.length);
}

void addMenuItem(std::u16string_view window, std::u16string_view host, std::u16string_view name,
                 std::u16string_view caption, std::u16string_view description,
                 std::function<void()> onClick)
{
    const std::u16string id = std::u16string(window) + u"-" + std::u16string(name);
    const PageText h = pageText(host), i = pageText(id), cap = pageText(caption),
                   d = pageText(description);
    js_add_menu_item(h.data, h.length, i.data, i.length, cap.data, cap.length, d.data, d.length,
                     addHandler(std::move(onClick)));
}

void setEnabled(std::u16string_view elementId, bool enabled)
{
    const PageText i = pageText(elementId);
    js_set_enabled(i.data, i.length, enabled ? 1 : 0);
}

void setText(std::u16string_view elementId, std::u16string_view text)
{
    const PageText i = pageText(elementId), t = pageText(text);
    js_set_text(i.data, i.length, t.data, t.length);
}

void setDescription(std::u16string_view elementId, std::u16string_view description)
{
    const PageText i = pageText(elementId), t = pageText(description);
    js_set_description(i.data, i.length, t.data, t.length);
}

void setFocus(std::u16string_view elementId)
{
    const PageText i = pageText(elementId);
    js_set_focus(i.data, i.length);
}

} // namespace forms
