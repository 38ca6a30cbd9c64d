#include "web/forms/surface.h"

#include <emscripten.h>

#include <cstdint>
#include <vector>

#include "core/twips.h"
#include "web/forms/page_text.h"

namespace forms {
namespace {

int nextSurface = 1;

// clang-format off
EM_JS(void, js_create_surface, (int id, const char16_t *host, int hostLength, int width, int height), {
    Forms.createSurface(id, document.getElementById(Forms.text(host, hostLength)), width, height);
});

EM_JS(void, js_add_label, (int id, int row, const char16_t *name, int nameLength,
                           const char16_t *caption, int captionLength,
                           const char16_t *face, int faceLength, double points, int weight,
                           int wraps, int *size), {
    const measured = Forms.addLabel(id, row, Forms.text(name, nameLength), Forms.text(caption, captionLength),
                                    Forms.text(face, faceLength), points, weight, wraps !== 0);
    HEAP32[size >> 2] = measured[0];
    HEAP32[(size >> 2) + 1] = measured[1];
});

EM_JS(void, js_set_picture, (int id, int row, const std::uint8_t *rgba, int width, int height, int smooth), {
    const pixels = new Uint8ClampedArray(HEAPU8.subarray(rgba, rgba + width * height * 4));
    Forms.setPicture(id, row, pixels, width, height, smooth !== 0);
});

EM_JS(void, js_set_picture_url, (int id, int row, const char16_t *url, int urlLength), {
    Forms.setPictureUrl(id, row, Forms.text(url, urlLength), () => Module._forms_repaint(id));
});

EM_JS(void, js_paint, (int id, const int *steps, int count, double scale), {
    Forms.paint(id, HEAP32.slice(steps >> 2, (steps >> 2) + count * Forms.kStepInts), scale);
});

EM_JS(double, js_scale, (), { return Forms.scale(); });
// clang-format on

std::vector<Surface *> &all()
{
    static std::vector<Surface *> surfaces;
    return surfaces;
}

} // namespace

Surface::Surface(std::u16string_view window, std::u16string_view host, layout::Table table,
                 int clientWidth, int clientHeight)
    : id_(nextSurface++), window_(window), scene_(table, clientWidth, clientHeight)
{
    const PageText h = pageText(host);
    js_create_surface(id_, h.data, h.length, twips::toPixels(clientWidth),
                      twips::toPixels(clientHeight));
    addLabels();
    all().push_back(this);
}

Surface::~Surface() { std::erase(all(), this); }

std::u16string Surface::elementId(std::u16string_view name) const
{
    return window_ + u"-" + std::u16string(name);
}

double Surface::scale() { return js_scale(); }

void Surface::addLabels()
{
    const layout::Table table = scene_.table();
    for (int row = 0; row < int(table.size()); ++row) {
        const layout::Control &c = table[std::size_t(row)];
        if (c.kind != layout::Kind::Label)
            continue;
        const layout::Font font = c.font ? *c.font : layout::kDefaultFont;
        const std::u16string elementName = elementId(c.name);
        const PageText name = pageText(elementName), caption = pageText(c.caption),
                       face = pageText(font.face);
        int size[2] = {0, 0};
        js_add_label(id_, row, name.data, name.length, caption.data, caption.length, face.data,
                     face.length, font.points, font.weight, drawing::wrapsAnywhere(c) ? 1 : 0,
                     size);
        if (c.sizing == layout::Sizing::ToCaption)
            scene_.setSize(row, size[0] * double(twips::kPerPixel),
                           size[1] * double(twips::kPerPixel));
    }
}

void Surface::setPicture(int row, const guide::Picture &picture, bool smooth)
{
    // 0xFFRRGGBB words to the canvas's R, G, B, A bytes.
    std::vector<std::uint8_t> rgba(picture.pixels.size() * 4);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t p = picture.pixels[i];
        rgba[i * 4] = std::uint8_t(p >> 16);
        rgba[i * 4 + 1] = std::uint8_t(p >> 8);
        rgba[i * 4 + 2] = std::uint8_t(p);
        rgba[i * 4 + 3] = 0xFF;
    }
    js_set_picture(id_, row, rgba.data(), picture.width, picture.height, smooth ? 1 : 0);
}

void Surface::setPictureUrl(int row, std::u16string_view url)
{
    const PageText u = pageText(url);
    js_set_picture_url(id_, row, u.data, u.length);
}

void Surface::paint()
{
    const double s = scale();
    const std::vector<drawing::Step> &steps = scene_.steps(s);
    std::vector<int> flat;
    flat.reserve(steps.size() * 13);
    for (const drawing::Step &st : steps) {
        flat.insert(flat.end(), {int(st.op), st.row, st.rect.x, st.rect.y, st.rect.width,
                                 st.rect.height, int(st.paint.role), int(st.paint.rgb), st.x1,
                                 st.y1, st.x2, st.y2, st.thickness});
    }
    js_paint(id_, flat.data(), int(steps.size()), s);
}

} // namespace forms

// The page asks for a repaint: a picture arrived or the scale changed.
extern "C" EMSCRIPTEN_KEEPALIVE void forms_repaint(int id)
{
    for (forms::Surface *surface : forms::all())
        if (id == 0 || surface->id() == id)
            surface->paint();
}
