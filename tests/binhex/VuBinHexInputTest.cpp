// The view's keys, wheel, scroll bars, clicks, drags and middle-button
// scrolling, driven on the real widget with QTest events, and the
// selection calls the find command and the viewer make.
#include "WidgetTestSupport.h"

#include "binhex/gui/VuScrollCursors.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QScrollBar>
#include <QWheelEvent>

#include <stdexcept>

namespace {

const Qt::MouseButton kLeft = Qt::LeftButton;

// Rows of 150 characters and a line feed: wider than the view.
constexpr int64_t kWideRow = 151;
std::string WideRows(int count)
{
    std::string data;
    for (int i = 0; i < count; ++i)
        data += "row " + std::to_string(10000 + i) + " " + std::string(140, 'w') + "\n";
    return data;
}

void Wheel(QWidget* port, int notches, Qt::KeyboardModifiers mods = Qt::NoModifier,
           Qt::MouseButtons buttons = Qt::NoButton)
{
    const QPointF at(50, 50);
    QWheelEvent event(at, port->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), buttons, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(port, &event);
}

TEST(BinHexInput, DoubleClickSelectsTheWordBeforeTheClickedGap)
{
    ShownView v("ab cd ef");
    QSignalSpy changed(&v.view, &TVuBinHex::OnSelectionChange);
    // On the right half of "b" the offset under the point is the space, so
    // the word position is "b": the word "ab".
    const QPoint onB = v.PointOf(1);
    QTest::mouseClick(v.Port(), kLeft, {}, onB);
    QTest::mouseDClick(v.Port(), kLeft, {}, onB);
    QTest::mouseRelease(v.Port(), kLeft, {}, onB);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{0}, int64_t{2}));
    EXPECT_GE(changed.count(), 2);  // the word, then the release

    // On the right half of the space the word position is the space itself,
    // which is not tested: both words.
    const QPoint onSpace = v.PointOf(2);
    QTest::mouseClick(v.Port(), kLeft, {}, onSpace);
    QTest::mouseDClick(v.Port(), kLeft, {}, onSpace);
    QTest::mouseRelease(v.Port(), kLeft, {}, onSpace);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{0}, int64_t{5}));
}

TEST(BinHexInput, TripleClickSelectsTheLineAndASlowOneStartsAgain)
{
    ShownView v("first line\r\nab cd ef\r\nthird");
    const QPoint onD = v.PointOf(16);  // "d" of the second line
    QTest::mouseClick(v.Port(), kLeft, {}, onD);
    QTest::mouseDClick(v.Port(), kLeft, {}, onD);
    // A tremble on the clicked character keeps the word.
    QTest::mouseMove(v.Port(), onD + QPoint(1, 0));
    QTest::mouseRelease(v.Port(), kLeft, {}, onD);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{15}, int64_t{2}));
    QTest::mouseClick(v.Port(), kLeft, {}, onD);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{12}, int64_t{8}));  // "ab cd ef"

    // A third click after the double-click time is a plain click.
    QTest::mouseClick(v.Port(), kLeft, {}, onD);
    QTest::mouseDClick(v.Port(), kLeft, {}, onD);
    QTest::mouseRelease(v.Port(), kLeft, {}, onD);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(v.Port(), kLeft, {}, onD);
    EXPECT_EQ(v.Selection().second, 0);
}

TEST(BinHexInput, ShiftClickSelectsFromTheAnchorEitherWay)
{
    ShownView v("0123456789abcdef");
    QTest::mouseClick(v.Port(), kLeft, {}, v.PointOf(8, 0.25));  // offset 8
    QSignalSpy changed(&v.view, &TVuBinHex::OnSelectionChange);
    QTest::mouseClick(v.Port(), kLeft, Qt::ShiftModifier, v.PointOf(3, 0.25));
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{3}, int64_t{5}));
    QTest::mouseClick(v.Port(), kLeft, Qt::ShiftModifier, v.PointOf(12, 0.25));
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{8}, int64_t{4}));
    EXPECT_GE(changed.count(), 2);
}

TEST(BinHexInput, DragSelectsAndReportsOnRelease)
{
    ShownView v("0123456789abcdef");
    QSignalSpy changed(&v.view, &TVuBinHex::OnSelectionChange);
    QTest::mousePress(v.Port(), kLeft, {}, v.PointOf(2, 0.25));
    QTest::mouseMove(v.Port(), v.PointOf(6, 0.25));
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{2}, int64_t{4}));
    QTest::mouseMove(v.Port(), v.PointOf(0, 0.25));  // back past the start
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{0}, int64_t{2}));
    EXPECT_EQ(changed.count(), 0);
    QTest::mouseRelease(v.Port(), kLeft, {}, v.PointOf(0, 0.25));
    EXPECT_EQ(changed.count(), 1);
}

TEST(BinHexInput, DraggingBelowTheTextScrollsAndExtends)
{
    ShownView v(Rows(1000));
    QTest::mousePress(v.Port(), kLeft, {}, v.PointOf(0, 0.25));
    QTest::mouseMove(v.Port(), QPoint(100, v.Port()->height() - 1));  // the down zone
    QTest::qWait(300);
    QTest::mouseRelease(v.Port(), kLeft, {}, QPoint(100, v.Port()->height() - 1));
    const int64_t view = v.Model().ViewPos();
    EXPECT_GE(view, 3 * 10);  // a line every 50 ms
    // The selection runs from the press to below the last line shown.
    EXPECT_EQ(v.Selection().first, 0);
    EXPECT_GT(v.Selection().second, view + 10 * (v.Model().VisibleLines() - 1));
    // Released: the scrolling stopped.
    QTest::qWait(150);
    EXPECT_EQ(v.Model().ViewPos(), view);
}

TEST(BinHexInput, KeysOfTheKeyTable)
{
    const std::string data = WideRows(2000);
    ShownView v(data);
    TVuBinHexModel& m = v.Model();
    const int lines = m.VisibleLines();
    ASSERT_GT(lines, 5);
    QTest::keyClick(&v.view, Qt::Key_Down);
    EXPECT_EQ(m.ViewPos(), kWideRow);
    QTest::keyClick(&v.view, Qt::Key_Up);
    EXPECT_EQ(m.ViewPos(), 0);
    QTest::keyClick(&v.view, Qt::Key_PageDown);
    EXPECT_EQ(m.ViewPos(), int64_t(lines) * kWideRow);
    QTest::keyClick(&v.view, Qt::Key_PageUp);
    EXPECT_EQ(m.ViewPos(), 0);

    QTest::keyClick(&v.view, Qt::Key_Right);
    EXPECT_EQ(m.HorzScrollPos(), 200);
    QTest::keyClick(&v.view, Qt::Key_Right);
    EXPECT_EQ(m.HorzScrollPos(), 400);
    QTest::keyClick(&v.view, Qt::Key_Left);
    EXPECT_EQ(m.HorzScrollPos(), 200);
    QTest::keyClick(&v.view, Qt::Key_End);
    EXPECT_EQ(m.HorzScrollPos(), v.view.horizontalScrollBar()->maximum());
    EXPECT_GT(m.HorzScrollPos(), 400);
    QTest::keyClick(&v.view, Qt::Key_Home);
    EXPECT_EQ(m.HorzScrollPos(), 0);

    QTest::keyClick(&v.view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(m.EndVisible());
    const int64_t last = int64_t(data.size()) - int64_t(lines) * kWideRow;
    EXPECT_EQ(m.ViewPos(), last);
    QTest::keyClick(&v.view, Qt::Key_Down);  // nothing below the end
    EXPECT_EQ(m.ViewPos(), last);
    QTest::keyClick(&v.view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m.ViewPos(), 0);

    QSignalSpy changed(&v.view, &TVuBinHex::OnSelectionChange);
    QTest::keyClick(&v.view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{0}, int64_t(data.size())));
    EXPECT_EQ(changed.count(), 1);
    // Keys the view does not handle go on to its parent.
    QKeyEvent other(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(&v.view, &other);
    EXPECT_FALSE(other.isAccepted());
}

TEST(BinHexInput, CopyKeysPutTheSelectionOnTheClipboard)
{
    ShownView v(std::string("one\0two three", 13));
    v.view.SetSelection(4, 9, false, false);
    QApplication::clipboard()->clear();
    QTest::keyClick(&v.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("two three"));
    v.view.SetSelection(0, 7, false, false);
    QTest::keyClick(&v.view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one two"));  // NUL became a space
}

TEST(BinHexInput, WheelScrollsLinesOrSidewaysOrChangesTheFontSize)
{
    ShownView v(WideRows(2000));
    TVuBinHexModel& m = v.Model();
    Wheel(v.Port(), -1);
    EXPECT_EQ(m.ViewPos(), kWideRow * QApplication::wheelScrollLines());
    Wheel(v.Port(), 1);
    EXPECT_EQ(m.ViewPos(), 0);
    Wheel(v.Port(), -1, Qt::ShiftModifier);
    EXPECT_EQ(m.HorzScrollPos(), 200);
    Wheel(v.Port(), 1, Qt::ShiftModifier);
    EXPECT_EQ(m.HorzScrollPos(), 0);

    QSignalSpy options(&v.view, &TVuBinHex::OnOptionsChange);
    const int size = v.view.font().pointSize();
    Wheel(v.Port(), 1, Qt::ControlModifier);
    EXPECT_GT(v.view.font().pointSize(), size);
    Wheel(v.Port(), -1, Qt::NoModifier, Qt::LeftButton);  // the held button zooms too
    EXPECT_EQ(v.view.font().pointSize(), size);
    EXPECT_EQ(options.count(), 2);
}

TEST(BinHexInput, ScrollBarActionsMoveTheViewAndReportEach)
{
    ShownView v(Rows(5000));
    TVuBinHexModel& m = v.Model();
    QScrollBar* bar = v.view.verticalScrollBar();
    QSignalSpy scrolled(&v.view, &TVuBinHex::OnScroll);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m.ViewPos(), 10);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m.ViewPos(), 10 + 10 * m.VisibleLines());
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m.ViewPos(), 10 * m.VisibleLines());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(m.EndVisible());
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(m.ViewPos(), 0);
    // The thumb stands for size * position / range (the range being the
    // size in line units): half way is offset 25 000, whose line is shown
    // from the line before.
    bar->setSliderPosition(2500);
    EXPECT_EQ(m.ViewPos(), 25000 - 10);
    EXPECT_EQ(bar->value(), 2499);
    EXPECT_EQ(scrolled.count(), 6);

    ShownView wide(std::string(5000, 'w'));
    QScrollBar* horz = wide.view.horizontalScrollBar();
    QSignalSpy sideways(&wide.view, &TVuBinHex::OnScroll);
    horz->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(wide.Model().HorzScrollPos(), 200);
    horz->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(wide.Model().HorzScrollPos(), 200 + wide.Port()->width());
    horz->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(wide.Model().HorzScrollPos(), 0);
    horz->setSliderPosition(321);
    EXPECT_EQ(wide.Model().HorzScrollPos(), 321);
    EXPECT_EQ(sideways.count(), 4);
}

TEST(BinHexInput, MiddleButtonScrollsTowardsThePointerUntilAKey)
{
    ShownView v(Rows(5000));
    TVuBinHexModel& m = v.Model();
    const QPoint origin(200, 200);
    QTest::mousePress(v.Port(), Qt::MiddleButton, {}, origin);
    QTest::mouseRelease(v.Port(), Qt::MiddleButton, {}, origin);
    // The origin mark is drawn over the text: a dark arrow head above it.
    const QImage shot = v.Port()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(origin + QPoint(0, -7)), QColor(0x50, 0x50, 0x50));

    QCursor::setPos(v.Port()->mapToGlobal(origin + QPoint(0, 40)));  // 2 lines a tick
    QTest::qWait(350);
    const int64_t moved = m.ViewPos();
    EXPECT_GE(moved, 2 * 10);
    EXPECT_EQ(moved % 20, 0);
    EXPECT_EQ(v.Port()->cursor().pixmap().cacheKey(), MiddleScrollCursor(vscDown).pixmap().cacheKey());

    QTest::keyClick(&v.view, Qt::Key_Shift);  // any key ends it
    QTest::qWait(250);
    EXPECT_EQ(m.ViewPos(), moved);
    EXPECT_EQ(v.Port()->cursor().shape(), Qt::IBeamCursor);
    QCursor::setPos(v.Port()->mapToGlobal(QPoint(0, 0)));
}

TEST(BinHexSelect, SetSelectionRoundsScrollsAndNotifies)
{
    ShownView wide(std::string(10, 'a'), vbmodeUnicode);
    wide.view.SetSelection(3, 5, false, false);
    EXPECT_EQ(wide.Selection(), std::make_pair(int64_t{2}, int64_t{4}));

    ShownView v(Rows(10000));
    QSignalSpy changed(&v.view, &TVuBinHex::OnSelectionChange);
    v.view.SetSelection(50000, 9, true, true);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{50000}, int64_t{9}));
    // TextSearchIndentVert (5) lines above, one more for a line start.
    EXPECT_EQ(v.Model().ViewPos(), 50000 - 6 * 10);
    EXPECT_EQ(changed.count(), 1);
    v.view.SetSelection(50000, 9, true, true);  // the same: no event
    EXPECT_EQ(changed.count(), 1);
    v.view.SetSelection(-1, 3, true, true);     // ignored
    v.view.SetSelection(200000, 3, true, true);
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{50000}, int64_t{9}));
    v.view.SelectNone(false);
    EXPECT_EQ(v.Selection().second, 0);
    EXPECT_EQ(changed.count(), 1);
    v.view.SelectAll();
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{0}, int64_t{100000}));
    EXPECT_EQ(changed.count(), 2);
}

TEST(BinHexSelect, AMatchFarRightIsScrolledToTheIndent)
{
    ShownView v(std::string(100, '-') + "needle" + std::string(100, '-'), vbmodeText, QSize(300, 200));
    v.view.SetSelection(100, 6, true, false);
    const int cell = v.Model().FontMetrics().cellWidth;
    // The match starts TextSearchIndentHorz (5) cells from the left edge.
    EXPECT_EQ(v.PointOf(100, 0).x(), 5 * cell);
    EXPECT_GT(v.Model().HorzScrollPos(), 0);
    // One that is already visible does not move the view sideways.
    const int horz = v.Model().HorzScrollPos();
    v.view.SetSelection(103, 2, true, false);
    EXPECT_EQ(v.Model().HorzScrollPos(), horz);
}

TEST(BinHexSelect, HexSelectionScrollsByLineUnits)
{
    ShownView v(std::string(0x4000, 'x'), vbmodeHex);
    v.view.SetSelection(0x1234, 2, true, false);
    EXPECT_EQ(v.Model().ViewPos(), 0x1230 - 5 * 16);
}

TEST(BinHexClipboard, TwentyMegabytesCopySixteen)
{
    TempFile big = TempFile::Sparse(20 << 20);
    TVuBinHex view;
    ASSERT_TRUE(view.OpenFile(QString::fromStdString(big.Path())));
    view.SelectAll();
    ASSERT_EQ(view.Model().SelLength(), 20 << 20);
    view.CopyToClipboard(false);
    const QString text = QApplication::clipboard()->text();
    EXPECT_EQ(text.size(), 16 << 20);
    EXPECT_EQ(text.count(QLatin1Char(' ')), 16 << 20);  // the zeros as spaces
}

TEST(BinHexClipboard, HexAndUnicodeCopies)
{
    ShownView hex("AB\x01z", vbmodeHex);
    hex.view.SetSelection(0, 4, false, false);
    hex.view.CopyToClipboard(true);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("41 42 01 7A"));
    hex.view.CopyToClipboard(false);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("AB\x01z"));

    ShownView wide(std::string("h\0\0\0i\0", 6), vbmodeUnicode);
    wide.view.SetSelection(0, 6, false, false);
    wide.view.CopyToClipboard(true);  // as hex means nothing here
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("h i"));
    EXPECT_EQ(wide.view.SelTextW(), QString::fromUtf16(u"h\0i", 3));
    EXPECT_THROW(wide.view.SelText(), std::logic_error);
    EXPECT_THROW(hex.view.SelTextW(), std::logic_error);
    EXPECT_EQ(hex.view.SelText(), std::string("AB\x01z"));
}

}  // namespace
