#include "qt/forms/classic_palette.h"

#include <QPalette>
#include <QWidget>

#include <array>
#include <utility>

namespace classic_palette {
namespace {

using Role = QPalette::ColorRole;

// The light palette Qt draws with on a desktop without a theme, role by role.
constexpr std::array<std::pair<Role, QRgb>, 20> kActive{{
    {QPalette::WindowText, 0xFF000000u},    {QPalette::Button, 0xFFEFEFEFu},
    {QPalette::Light, 0xFFFFFFFFu},         {QPalette::Midlight, 0xFFCACACAu},
    {QPalette::Dark, 0xFF9F9F9Fu},          {QPalette::Mid, 0xFFB8B8B8u},
    {QPalette::Text, 0xFF000000u},          {QPalette::BrightText, 0xFFFFFFFFu},
    {QPalette::ButtonText, 0xFF000000u},    {QPalette::Base, 0xFFFFFFFFu},
    {QPalette::Window, 0xFFEFEFEFu},        {QPalette::Shadow, 0xFF767676u},
    {QPalette::Highlight, 0xFF308CC6u},     {QPalette::HighlightedText, 0xFFFFFFFFu},
    {QPalette::Link, 0xFF0000FFu},          {QPalette::LinkVisited, 0xFFFF00FFu},
    {QPalette::AlternateBase, 0xFFF7F7F7u}, {QPalette::ToolTipBase, 0xFFFFFFDCu},
    {QPalette::ToolTipText, 0xFF000000u},   {QPalette::PlaceholderText, 0x80000000u},
}};

// Greyed-out controls: what differs from the active colours.
constexpr std::array<std::pair<Role, QRgb>, 7> kDisabled{{
    {QPalette::WindowText, 0xFFBEBEBEu},
    {QPalette::Dark, 0xFFBEBEBEu},
    {QPalette::Text, 0xFFBEBEBEu},
    {QPalette::ButtonText, 0xFFBEBEBEu},
    {QPalette::Base, 0xFFEFEFEFu},
    {QPalette::Shadow, 0xFFB1B1B1u},
    {QPalette::Highlight, 0xFF919191u},
}};

} // namespace

QPalette palette()
{
    QPalette p;
    for (const auto &[role, rgba] : kActive) {
        const QColor colour = QColor::fromRgba(rgba);
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(group, role, colour);
    }
    for (const auto &[role, rgba] : kDisabled)
        p.setColor(QPalette::Disabled, role, QColor::fromRgba(rgba));
    return p;
}

void pin(QWidget &window) { window.setPalette(palette()); }

} // namespace classic_palette
