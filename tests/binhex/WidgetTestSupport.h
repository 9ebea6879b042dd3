// A real TVuBinHex shown on the test platform over a file, with the points
// where its characters were drawn, so tests can click on them.
#pragma once

#include "BinHexTestSupport.h"

#include "binhex/gui/VuBinHex.h"

#include <QSignalSpy>
#include <QTest>

struct ShownView {
    explicit ShownView(const std::string& content, TVuBinHexMode mode = vbmodeText, QSize size = QSize(640, 480))
        : file(content)
    {
        view.SetColor(0xFFFFFF);
        view.SetFontColor(0x000000);
        view.resize(size);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        if (mode != vbmodeText)
            view.SetMode(mode);
        EXPECT_TRUE(view.OpenFile(QString::fromStdString(file.Path())));
    }

    QWidget* Port() { return view.viewport(); }
    TVuBinHexModel& Model() { return view.Model(); }

    // Where the character at `offset` was drawn: `within` of its cell from
    // its left edge (the font is fixed-pitch and the text has no tabs), in
    // the middle of its line. A point off the screen when no line holds it.
    QPoint PointOf(int64_t offset, double within = 0.75)
    {
        const TStrPositions& lines = view.Positions();
        const int cs = lines.CharSize();
        for (size_t i = 0; i < lines.Count(); ++i) {
            const TStrPosition& line = lines[i];
            if (offset < line.offset || offset >= line.offset + int64_t(line.text.size()) * cs)
                continue;
            const auto& m = Model().FontMetrics();
            const double index = double((offset - line.offset) / cs) + within;
            return QPoint(line.x + int(index * m.cellWidth), line.y + m.lineHeight / 2);
        }
        return QPoint(-1000, -1000);
    }

    std::pair<int64_t, int64_t> Selection() { return {Model().SelStart(), Model().SelLength()}; }

    TempFile file;
    TVuBinHex view;
};

// Lines "row 10000\n", "row 10001\n", ...: ten bytes each.
inline std::string Rows(int count)
{
    std::string data;
    for (int i = 0; i < count; ++i)
        data += "row " + std::to_string(10000 + i) + "\n";
    return data;
}
