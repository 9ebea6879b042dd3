// The context menu, the two encoding menus and font size steps on the real
// widget.
#include "WidgetTestSupport.h"

#include "binhex/gui/VuColumnMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

namespace {

QStringList Captions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

QAction* ItemOf(TVuColumnMenu* menu, TVuEncoding enc)
{
    for (QAction* a : menu->Items())
        if (a->data().toInt() == enc)
            return a;
    return nullptr;
}

// Runs `step` on the popup once it is up (the menus wait for a choice).
void WhenPopupShows(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(50, [step] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        step(popup);
    });
}

TEST(BinHexMenus, ContextMenuItemsAndTheirStates)
{
    ShownView v("ab cd\nsecond line\n");
    QMenu* menu = v.view.ContextMenu();
    ASSERT_EQ(Captions(menu), (QStringList{"Copy", "Copy as hex", "-", "Select line", "Select all", "-",
                                           "Encoding..."}));
    const QList<QAction*> a = menu->actions();
    const auto enabled = [&] {
        return std::vector<bool>{a[0]->isEnabled(), a[1]->isEnabled(), a[3]->isEnabled(), a[4]->isEnabled(),
                                 a[6]->isEnabled()};
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, true, true}));
    v.view.SetSelection(0, 2, false, false);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, true, true}));
    v.view.SelectAll();
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, false, true}));
    v.view.SetMode(vbmodeHex);  // re-opening drops the selection
    v.view.SetSelection(0, 2, false, false);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, true}));
    v.view.CloseSource();
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, false, false}));
}

TEST(BinHexMenus, HiddenCommandsKeepTheSeparators)
{
    ShownView v("text");
    v.view.SetTextPopupCommands(vpCmdsAll & ~PopupCommandBit(vpCmdCopyHex));
    const QList<QAction*> a = v.view.ContextMenu()->actions();
    EXPECT_TRUE(a[0]->isVisible());
    EXPECT_FALSE(a[1]->isVisible());
    EXPECT_TRUE(a[2]->isVisible() && a[5]->isVisible());
    // Even with nothing left around them.
    v.view.SetTextPopupCommands(0);
    EXPECT_FALSE(a[0]->isVisible() || a[1]->isVisible() || a[3]->isVisible() || a[4]->isVisible() ||
                 a[6]->isVisible());
    EXPECT_TRUE(a[2]->isVisible() && a[5]->isVisible());
    EXPECT_FALSE(v.view.ContextMenu()->separatorsCollapsible());
}

TEST(BinHexMenus, SelectLineTakesTheClickedLine)
{
    ShownView v("ab cd\nsecond line\nthird");
    const QPoint onSecond = v.PointOf(9);
    QContextMenuEvent event(QContextMenuEvent::Mouse, onSecond, v.Port()->mapToGlobal(onSecond));
    QApplication::sendEvent(v.Port(), &event);
    QMenu* menu = v.view.ContextMenu();
    EXPECT_TRUE(menu->isVisible());
    menu->actions()[3]->trigger();
    menu->hide();
    EXPECT_EQ(v.Selection(), std::make_pair(int64_t{6}, int64_t{11}));  // "second line"

    // From the keyboard there is no clicked line.
    v.view.SelectNone(false);
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(5, 5), v.view.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&v.view, &keyboard);
    menu->actions()[3]->trigger();
    menu->hide();
    EXPECT_EQ(v.Selection().second, 0);
}

TEST(BinHexMenus, EncodingMenuColumnsAndUnsupportedEntries)
{
    ShownView v("text");
    TVuColumnMenu* menu = v.view.EncodingMenu();
    EXPECT_EQ(menu, v.view.EncodingMenu());  // built once
    EXPECT_EQ(menu->Items().size(), vEncEBCyrillicSerbianBulgarian + 2);
    EXPECT_EQ(menu->ColumnCount(), 3);
    EXPECT_EQ(menu->ColumnOf(ItemOf(menu, vEncMac)), 0);
    EXPECT_EQ(menu->ColumnOf(ItemOf(menu, vEncUTF8)), 0);
    EXPECT_EQ(ItemOf(menu, vEncUTF8)->text(), QStringLiteral("Unicode (UTF-8)"));
    EXPECT_TRUE(ItemOf(menu, vEncUTF8)->isEnabled());
    EXPECT_EQ(menu->ColumnOf(ItemOf(menu, vEncGreekDOS)), 1);
    EXPECT_EQ(menu->ColumnOf(ItemOf(menu, vEncEBUSCanada)), 2);
    EXPECT_EQ(ItemOf(menu, vEncCyrWin)->text(), QString::fromStdString(EncodingName(vEncCyrWin)));
    for (QAction* item : menu->Items())
        EXPECT_EQ(item->isEnabled(), IsEncodingSupported(TVuEncoding(item->data().toInt()))) << item->text().toStdString();
    // Neither converter knows MacArabic on these systems.
    ASSERT_FALSE(IsEncodingSupported(vEncArMac));
    EXPECT_FALSE(ItemOf(menu, vEncArMac)->isEnabled());
    // Its layout is wider than tall: three columns side by side.
    EXPECT_GT(menu->sizeHint().width(), menu->sizeHint().height() / 2);
}

TEST(BinHexMenus, ChoosingAnEncodingFromTheShownMenu)
{
    ShownView v("text");
    QSignalSpy options(&v.view, &TVuBinHex::OnOptionsChange);
    // The keyboard starts on the checked encoding (ANSI); one down is OEM.
    WhenPopupShows([](QWidget* popup) {
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    v.view.ShowEncodingMenu(300, 200);
    EXPECT_EQ(v.view.TextEncoding(), vEncOEM);
    EXPECT_EQ(options.count(), 1);
    TVuColumnMenu* menu = v.view.EncodingMenu();
    EXPECT_FALSE(menu->isVisible());
    // Escape chooses nothing; the right arrow crosses to the next column.
    WhenPopupShows([](QWidget* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
    v.view.ShowEncodingMenu(300, 200);
    EXPECT_EQ(options.count(), 1);
    WhenPopupShows([](QWidget* popup) {
        QTest::keyClick(popup, Qt::Key_Right);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    v.view.ShowEncodingMenu(300, 200);
    EXPECT_EQ(menu->ColumnOf(ItemOf(menu, v.view.TextEncoding())), 1);
    EXPECT_EQ(options.count(), 2);
    // A click on an entry chooses it too.
    WhenPopupShows([menu](QWidget* popup) {
        const QAction* item = ItemOf(menu, vEncCyrKOI8R);
        QPoint at;
        for (int y = 0; y < popup->height(); ++y) {
            // Find the row of the item by hovering down its column.
            QTest::mouseMove(popup, QPoint(20, y));
            if (menu->ActiveAction() == item) {
                at = QPoint(20, y);
                break;
            }
        }
        QTest::mouseClick(popup, Qt::LeftButton, {}, at);
    });
    v.view.ShowEncodingMenu(300, 200);
    EXPECT_EQ(v.view.TextEncoding(), vEncCyrKOI8R);
}

TEST(BinHexMenus, UnicodeModesOfferTheByteOrder)
{
    ShownView v(std::string("h\0i\0", 4), vbmodeUnicode);
    ASSERT_EQ(v.view.ByteOrder(), vufLittleEndian);
    QMenu* menu = v.view.ByteOrderMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QString::fromStdString(EncodingName(vEncUnicodeLE)));
    EXPECT_EQ(menu->actions()[1]->text(), QString::fromStdString(EncodingName(vEncUnicodeBE)));
    QSignalSpy options(&v.view, &TVuBinHex::OnOptionsChange);
    WhenPopupShows([menu](QWidget* popup) {
        EXPECT_EQ(popup, menu);
        EXPECT_TRUE(menu->actions()[0]->isChecked());
        menu->actions()[1]->trigger();
        menu->hide();
    });
    v.view.ShowEncodingMenu(300, 200);
    EXPECT_EQ(v.view.ByteOrder(), vufBigEndian);
    EXPECT_EQ(options.count(), 1);
    EXPECT_EQ(v.view.Positions()[0].text, u"\u6800\u6900");
}

TEST(BinHexMenus, FontSizeStepsStopAtTheirLimits)
{
    ShownView v("text");
    QSignalSpy options(&v.view, &TVuBinHex::OnOptionsChange);
    QFont font = v.view.font();
    font.setPointSize(72);
    v.view.setFont(font);
    EXPECT_FALSE(v.view.ChangeFontSize(true));
    EXPECT_EQ(v.view.font().pointSize(), 72);
    EXPECT_TRUE(v.view.ChangeFontSize(false));
    EXPECT_LT(v.view.font().pointSize(), 72);

    font.setPointSize(1);
    v.view.setFont(font);
    EXPECT_FALSE(v.view.ChangeFontSize(false));
    font.setPointSize(10);
    v.view.setFont(font);
    const int height = v.Model().FontMetrics().lineHeight;
    EXPECT_TRUE(v.view.ChangeFontSize(true));
    EXPECT_GT(v.Model().FontMetrics().lineHeight, height);  // redrawn in the new size
    EXPECT_EQ(options.count(), 2);

    // OEM text drawn with FontOEM steps that font.
    v.view.SetTextEncoding(vEncOEM);
    v.view.SetTextOemSpecial(true);
    const int oem = v.view.FontOEM().pointSize();
    EXPECT_TRUE(v.view.ChangeFontSize(true));
    EXPECT_GT(v.view.FontOEM().pointSize(), oem);
    EXPECT_EQ(v.view.font().pointSize(), 11);
}

}  // namespace
