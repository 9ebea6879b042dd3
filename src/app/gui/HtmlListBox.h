// A read-only list whose lines carry a small HTML mark-up, as the About
// panel's help list has it: paragraphs (<P align="center">), fonts
// (<FONT color="clRed" size="10" face="Tahoma">), bold, italic,
// underline, line breaks and links. Each item is one line of the list; an
// empty item is an empty line.
#pragma once

#include <QStringList>
#include <QTextBrowser>

class THtmlListBox : public QTextBrowser {
    Q_OBJECT
    // The language files' name for the lines.
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)

public:
    explicit THtmlListBox(QWidget* parent = nullptr);

    QStringList Items() const { return items_; }
    // Shows `items`, one line each, in order.
    void SetItems(const QStringList& items);

private:
    QStringList items_;
};

// The Qt rich text of one item: colour names of the class library
// ("clRed", "clNavy" ...) become Qt colours and font sizes (points) become
// style sizes; other mark-up is kept. An item that is not a paragraph of
// its own is wrapped in one, and an empty item stays one line high.
QString HtmlListItemToRichText(const QString& item);
