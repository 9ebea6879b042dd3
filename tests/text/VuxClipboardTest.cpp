#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "EnvGuard.h"
#include "text/gui/VuxClipboard.h"

TEST(Clipboard, BytesGoThroughTheirEncoding)
{
    EnvGuard env{{"PEEKWELL_ACP", "1252"}, {"PEEKWELL_OEMCP", "866"}};
    QClipboard* cb = QGuiApplication::clipboard();
    struct Row { const char* bytes; TVuEncoding enc; QString text; };
    const Row rows[] = {
        {"caf\xE9", vEncANSI, QString::fromUtf8("café")},
        {"\x80\x81", vEncOEM, QString::fromUtf8("АБ")},
        {"\xC1\xC2", vEncCyrKOI8R, QString::fromUtf8("аб")},
        {"\xC1\x40\xC2", vEncEBUSCanada, QStringLiteral("A B")},
        {"abc", vEncArMac, QStringLiteral("?")},
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(ClipboardPutBytes(r.bytes, r.enc));
        EXPECT_EQ(cb->text(), r.text) << EncodingName(r.enc);
    }
    ASSERT_TRUE(ClipboardPutBytes(std::string_view("\0A\0B", 4), vEncUnicodeBE));
    EXPECT_EQ(cb->text(), QStringLiteral("AB"));

    // Empty input succeeds and leaves what was there.
    EXPECT_TRUE(ClipboardPutBytes("", vEncANSI));
    EXPECT_TRUE(ClipboardPutWide(u""));
    EXPECT_EQ(cb->text(), QStringLiteral("AB"));
    ASSERT_TRUE(ClipboardPutWide(u"\u0436x"));
    EXPECT_EQ(cb->text(), QString::fromUtf8("жx"));
}
