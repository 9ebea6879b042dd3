#include "binhex/gui/VuScrollCursors.h"

#include <array>

// Resources of a static library are registered by hand, outside any
// namespace, before the first use.
static void InitBinHexResources() { Q_INIT_RESOURCE(VuBinHexCursors); }

namespace {

struct CursorTable {
    CursorTable()
    {
        InitBinHexResources();
        static const char* const kNames[] = {"AB_MOVE", "AB_MOVE_U", "AB_MOVE_D", "AB_MOVE_L", "AB_MOVE_R"};
        for (size_t i = 0; i < cursors.size(); ++i) {
            const QPixmap image(QStringLiteral(":/binhex/cursors/%1.png").arg(QLatin1String(kNames[i])));
            cursors[i] = QCursor(image, image.width() / 2, image.height() / 2);
        }
        mark = QPixmap(QStringLiteral(":/binhex/cursors/AB_MOVE_MARK.png"));
    }
    std::array<QCursor, 5> cursors;
    QPixmap mark;
};

CursorTable& Table()
{
    static CursorTable table;
    return table;
}

}  // namespace

const QCursor& MiddleScrollCursor(TVuScrollCursor id)
{
    // -30 .. -34 are the table's five entries, in that order.
    const int index = vscMove - int(id);
    return Table().cursors[size_t(index >= 0 && index < 5 ? index : 0)];
}

const QPixmap& MiddleScrollMark() { return Table().mark; }
