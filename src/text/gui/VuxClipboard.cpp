#include "text/gui/VuxClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

bool ClipboardPutWide(std::u16string_view text)
{
    if (text.empty())
        return true;
    QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::clipboard()
                                : nullptr;
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    return true;
}

bool ClipboardPutBytes(std::string_view bytes, TVuEncoding encoding)
{
    if (bytes.empty())
        return true;
    std::u16string text;
    if (IsUnicodeEncoding(encoding))
        text = BytesToUnicode(bytes.data(), static_cast<int64_t>(bytes.size()), encoding == vEncUnicodeBE);
    else if (encoding == vEncOEM)
        text = CodepageToUnicode(bytes, 1);
    else
        text = EncodingToUnicode(bytes, encoding);
    if (text.empty())
        return true;
    return ClipboardPutWide(text);
}
