#include "app/gui/HtmlListBox.h"

#include <QRegularExpression>

namespace {

// The class library's named colours; "clXxx" names without a plain Qt
// counterpart are the system ones, which take the palette's text colour.
QString ColourName(const QString& value)
{
    static const struct {
        const char* name;
        const char* qt;
    } kColours[] = {
        {"clBlack", "#000000"},  {"clMaroon", "#800000"}, {"clGreen", "#008000"}, {"clOlive", "#808000"},
        {"clNavy", "#000080"},   {"clPurple", "#800080"}, {"clTeal", "#008080"},  {"clGray", "#808080"},
        {"clSilver", "#c0c0c0"}, {"clRed", "#ff0000"},    {"clLime", "#00ff00"},  {"clYellow", "#ffff00"},
        {"clBlue", "#0000ff"},   {"clFuchsia", "#ff00ff"}, {"clAqua", "#00ffff"}, {"clWhite", "#ffffff"},
        {"clMoneyGreen", "#c0dcc0"}, {"clSkyBlue", "#a6caf0"}, {"clCream", "#fffbf0"}, {"clMedGray", "#a0a0a4"},
    };
    for (const auto& c : kColours)
        if (value.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(c.qt);
    return value;
}

// Rewrites the attributes of one <FONT ...> tag.
QString FontTag(const QString& attributes)
{
    static const QRegularExpression kAttribute(QStringLiteral(R"re((\w+)\s*=\s*("([^"]*)"|'([^']*)'|([^\s>]+)))re"));
    QString colour, size, face;
    for (auto it = kAttribute.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1).toLower();
        QString value = m.captured(3);
        if (value.isEmpty())
            value = m.captured(4);
        if (value.isEmpty())
            value = m.captured(5);
        if (name == QLatin1String("color"))
            colour = ColourName(value);
        else if (name == QLatin1String("size"))
            size = value;
        else if (name == QLatin1String("face"))
            face = value;
    }
    QString tag = QStringLiteral("<font");
    if (!colour.isEmpty())
        tag += QStringLiteral(" color=\"%1\"").arg(colour.toHtmlEscaped());
    if (!face.isEmpty())
        tag += QStringLiteral(" face=\"%1\"").arg(face.toHtmlEscaped());
    bool ok = false;
    const int points = size.toInt(&ok);
    if (ok && points > 0)
        tag += QStringLiteral(" style=\"font-size:%1pt\"").arg(points);
    return tag + QLatin1Char('>');
}

}  // namespace

QString HtmlListItemToRichText(const QString& item)
{
    static const QRegularExpression kFont(QStringLiteral(R"(<font\b([^>]*)>)"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString text;
    qsizetype from = 0;
    for (auto it = kFont.globalMatch(item); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        text += item.mid(from, m.capturedStart() - from);
        text += FontTag(m.captured(1));
        from = m.capturedEnd();
    }
    text += item.mid(from);

    static const QRegularExpression kParagraph(QStringLiteral(R"(^\s*<p\b)"), QRegularExpression::CaseInsensitiveOption);
    if (text.trimmed().isEmpty())
        return QStringLiteral("<p>&nbsp;</p>");
    if (!kParagraph.match(text).hasMatch())
        text = QStringLiteral("<p>") + text + QStringLiteral("</p>");
    return text;
}

THtmlListBox::THtmlListBox(QWidget* parent) : QTextBrowser(parent)
{
    setReadOnly(true);
    setOpenExternalLinks(true);
    setFrameShape(QFrame::StyledPanel);
    // Items are lines, not a flowing document: no gap between paragraphs.
    document()->setDefaultStyleSheet(QStringLiteral("p { margin-top: 0px; margin-bottom: 0px; }"));
}

void THtmlListBox::SetItems(const QStringList& items)
{
    items_ = items;
    QString html;
    for (const QString& item : items)
        html += HtmlListItemToRichText(item);
    setHtml(html);
}
