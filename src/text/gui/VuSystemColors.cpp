#include "text/gui/VuSystemColors.h"

#include <QApplication>

namespace {

struct SystemColorRole {
    uint8_t index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop's colour scheme as the palette gives it. Numbers follow the
// classic system colour table (0 scroll bar … 30 menu bar).
constexpr SystemColorRole kSystemColors[] = {
    {0, QPalette::Active, QPalette::Button},            // scroll bar
    {1, QPalette::Active, QPalette::Window},            // desktop background
    {2, QPalette::Active, QPalette::Highlight},         // active caption
    {3, QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {4, QPalette::Active, QPalette::Window},            // menu
    {5, QPalette::Active, QPalette::Base},              // window background
    {6, QPalette::Active, QPalette::Shadow},            // window frame
    {7, QPalette::Active, QPalette::WindowText},        // menu text
    {8, QPalette::Active, QPalette::Text},              // window text
    {9, QPalette::Active, QPalette::HighlightedText},   // caption text
    {10, QPalette::Active, QPalette::Mid},              // active border
    {11, QPalette::Inactive, QPalette::Mid},            // inactive border
    {12, QPalette::Active, QPalette::Dark},             // application workspace
    {13, QPalette::Active, QPalette::Highlight},        // selection
    {14, QPalette::Active, QPalette::HighlightedText},  // selected text
    {15, QPalette::Active, QPalette::Button},           // button face
    {16, QPalette::Active, QPalette::Dark},             // button shadow
    {17, QPalette::Disabled, QPalette::Text},           // grey text
    {18, QPalette::Active, QPalette::ButtonText},       // button text
    {19, QPalette::Inactive, QPalette::HighlightedText},// inactive caption text
    {20, QPalette::Active, QPalette::Light},            // button highlight
    {21, QPalette::Active, QPalette::Shadow},           // 3-D dark shadow
    {22, QPalette::Active, QPalette::Midlight},         // 3-D light
    {23, QPalette::Active, QPalette::ToolTipText},      // tool tip text
    {24, QPalette::Active, QPalette::ToolTipBase},      // tool tip background
    {26, QPalette::Active, QPalette::Link},             // hot light
    {27, QPalette::Active, QPalette::Highlight},        // gradient active caption
    {28, QPalette::Inactive, QPalette::Highlight},      // gradient inactive caption
    {29, QPalette::Active, QPalette::Highlight},        // menu highlight
    {30, QPalette::Active, QPalette::Window},           // menu bar
};

}  // namespace

QColor ColorToQColor(uint32_t c, const QPalette& palette)
{
    if ((c & 0xFF000000u) == 0xFF000000u) {
        const uint8_t index = static_cast<uint8_t>(c & 0xFF);
        for (const auto& entry : kSystemColors)
            if (entry.index == index)
                return palette.color(entry.group, entry.role);
        return palette.color(QPalette::Active, QPalette::Base);
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QColor ColorToQColor(uint32_t c)
{
    return ColorToQColor(c, QApplication::palette());
}

uint32_t QColorToColor(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) | (static_cast<uint32_t>(c.blue()) << 16);
}
