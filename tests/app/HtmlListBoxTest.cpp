// The About panel's help list: the items' small mark-up becomes Qt rich
// text that shows their colours, sizes and centring.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/gui/HtmlListBox.h"

TEST(HtmlListItem, MarkUpBecomesRichText)
{
    const struct {
        const char* item;
        const char* richText;
    } rows[] = {
        {"", "<p>&nbsp;</p>"},  // an empty item keeps its line
        {"plain line", "<p>plain line</p>"},
        {"<P align=\"center\">kept</P>", "<P align=\"center\">kept</P>"},
        {"<FONT color=\"clRed\">red</FONT>", "<p><font color=\"#ff0000\">red</FONT></p>"},
        {"<font COLOR='clnavy' size=\"12\" face=\"Tahoma\">x</font>",
         "<p><font color=\"#000080\" face=\"Tahoma\" style=\"font-size:12pt\">x</font></p>"},
        {"<FONT color=\"#00ff00\" size=\"big\">y</FONT>", "<p><font color=\"#00ff00\">y</FONT></p>"},
        {"<B>a</B><FONT color=clBlue>b</FONT><FONT>c</FONT>",
         "<p><B>a</B><font color=\"#0000ff\">b</FONT><font>c</FONT></p>"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(HtmlListItemToRichText(QString::fromUtf8(r.item)).toStdString(), r.richText) << r.item;
}

TEST(HtmlListBox, ShowsEachItemAsALine)
{
    THtmlListBox list;
    list.SetItems({QString(), QString(), QString(),
                   QStringLiteral("<P align=\"center\"><FONT color=\"clRed\">Help not found</FONT></P>")});
    EXPECT_EQ(list.Items().size(), 4);
    QTextDocument* doc = list.document();
    ASSERT_EQ(doc->blockCount(), 4);
    const QTextBlock last = doc->lastBlock();
    EXPECT_EQ(last.text(), QStringLiteral("Help not found"));
    EXPECT_EQ(last.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QTextCursor at(last);
    at.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::red));
}
