#pragma once
// The windowed controls of a surface as real page elements (radio buttons,
// buttons, a text area), placed from their table rows above all painting,
// and what the windows change of them afterwards. Each is found again by its
// element id (Surface::elementId).

#include <functional>
#include <string_view>

#include "core/layout.h"
#include "web/forms/events.h"
#include "web/forms/surface.h"

namespace forms {

/// An option button of the group `group`, at `row` of the surface's table.
/// Buttons of a group are one tab stop; the arrow keys walk them in the
/// order they are added.
void addOption(Surface &surface, int row, std::u16string_view group,
               std::u16string_view accessibleName, std::u16string_view description,
               std::function<void()> onClick);

void addCommand(Surface &surface, int row, std::u16string_view description, Delivery delivery,
                std::function<void()> onClick);

/// An editable multi-line text box with its vertical scroll bar.
void addTextBox(Surface &surface, int row, std::u16string_view accessibleName,
                std::u16string_view description);

/// A painted item (`row`) as screen readers see it: a picture with a name.
void addImageAccess(Surface &surface, int row, std::u16string_view name,
                    std::u16string_view description);

/// A command of the menu bar in the page element `host`, after those added
/// before it; its element id is `window`-`name`.
void addMenuItem(std::u16string_view window, std::u16string_view host, std::u16string_view name,
                 std::u16string_view caption, std::u16string_view description,
                 std::function<void()> onClick);

void setEnabled(std::u16string_view elementId, bool enabled);
void setText(std::u16string_view elementId, std::u16string_view text);
void setDescription(std::u16string_view elementId, std::u16string_view description);
void setFocus(std::u16string_view elementId);

} // namespace forms
