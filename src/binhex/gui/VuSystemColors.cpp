#include "binhex/gui/VuSystemColors.h"

namespace {

struct SystemRole {
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour index -> palette role.
constexpr SystemRole kSystemRoles[] = {
    {0, QPalette::Active, QPalette::Dark},              // scroll bar
    {1, QPalette::Active, QPalette::Window},            // desktop
    {2, QPalette::Active, QPalette::Highlight},         // active caption
    {3, QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {4, QPalette::Active, QPalette::Window},            // menu
    {5, QPalette::Active, QPalette::Base},              // window
    {6, QPalette::Active, QPalette::Shadow},            // window frame
    {7, QPalette::Active, QPalette::WindowText},        // menu text
    {8, QPalette::Active, QPalette::Text},              // window text
    {9, QPalette::Active, QPalette::HighlightedText},   // caption text
    {10, QPalette::Active, QPalette::Mid},              // active border
    {11, QPalette::Inactive, QPalette::Mid},            // inactive border
    {12, QPalette::Active, QPalette::Dark},             // application workspace
    {13, QPalette::Active, QPalette::Highlight},        // highlight
    {14, QPalette::Active, QPalette::HighlightedText},  // highlighted text
    {15, QPalette::Active, QPalette::Button},           // button face
    {16, QPalette::Active, QPalette::Dark},             // button shadow
    {17, QPalette::Disabled, QPalette::Text},           // grey text
    {18, QPalette::Active, QPalette::ButtonText},       // button text
    {19, QPalette::Inactive, QPalette::HighlightedText},// inactive caption text
    {20, QPalette::Active, QPalette::Light},            // button highlight
    {21, QPalette::Active, QPalette::Shadow},           // 3-D dark shadow
    {22, QPalette::Active, QPalette::Midlight},         // 3-D light
    {23, QPalette::Active, QPalette::ToolTipText},      // info text
    {24, QPalette::Active, QPalette::ToolTipBase},      // info background
};

}  // namespace

QColor ToQColor(TVuColor color, const QPalette& palette)
{
    if ((color & 0xFF000000u) == clSystemFlag) {
        const int index = int(color & 0xFF);
        for (const SystemRole& r : kSystemRoles)
            if (r.index == index)
                return palette.color(r.group, r.role);
        return Qt::black;
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TVuColor FromQColor(const QColor& c)
{
    return TVuColor(c.red()) | TVuColor(c.green()) << 8 | TVuColor(c.blue()) << 16;
}

TVuColor ResolveColor(TVuColor color, const QPalette& palette) { return FromQColor(ToQColor(color, palette)); }
