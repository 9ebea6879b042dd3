// A popup menu whose items stand in columns broken where the caller says,
// drawn with the style's own menu items so it looks like any menu of the
// program. The encoding menu needs it: its 67 entries fall into three
// columns by group, which a QMenu cannot be told to do.
//
//   +----------------+---------------+--------------+
//   | ANSI (Windows) | Greek (...)   | IBM EBCDIC.. |
//   | ...            | ...           | ...          |
//   |----------------|---------------|              |
//   | Western ...    | Latin 3 (...) |              |
//   +----------------+---------------+--------------+
//     column 0         column 1        column 2
//
// Items are QActions owned by the menu; choosing one (click, or the arrow
// keys and Return) closes the menu and triggers the action.
#pragma once

#include <QAction>
#include <QList>
#include <QWidget>

#include <vector>

class QEventLoop;
class QStyleOptionMenuItem;

class TVuColumnMenu : public QWidget {
    Q_OBJECT

public:
    struct Entry {
        enum Kind : uint8_t { item, separator, columnBreak };
        Kind kind = item;
        QAction* action = nullptr;  // items only
    };

    // A popup window; `parent` owns it.
    explicit TVuColumnMenu(QWidget* parent = nullptr);
    ~TVuColumnMenu() override;

    // Appends an item captioned `text`; the action belongs to the menu.
    QAction* AddAction(const QString& text);
    // Appends a separator line in the current column.
    void AddSeparator();
    // Starts a new column.
    void AddColumnBreak();

    const std::vector<Entry>& Entries() const { return entries_; }
    // The items, in order.
    QList<QAction*> Items() const;
    int ColumnCount() const;
    // Column of an item, -1 when it is not one of this menu's.
    int ColumnOf(const QAction* action) const;
    // The item under the keyboard or mouse, or nullptr.
    QAction* ActiveAction() const;

    // Shows the menu with the middle of its top edge at `topCentre` (moved
    // to stay on its screen) and waits until it closes. Result: the action
    // chosen, or nullptr when the menu was closed otherwise.
    QAction* Exec(QPoint topCentre);

    QSize sizeHint() const override;

signals:
    // An item was chosen (after the menu closed, before Exec returns).
    void triggered(QAction* action);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Layout() const;
    void InitItemOption(QStyleOptionMenuItem& option, size_t index) const;
    int EntryAt(QPoint point) const;
    bool IsSelectable(size_t index) const;
    void SetActive(int index);
    void MoveVertically(int step);
    void MoveToColumn(int step);
    void Choose(size_t index);

    std::vector<Entry> entries_;
    int active_ = -1;  // index into entries_
    QAction* chosen_ = nullptr;
    QEventLoop* loop_ = nullptr;

    // Layout, worked out on demand.
    mutable bool laidOut_ = false;
    mutable std::vector<QRect> rects_;      // per entry; empty for column breaks
    mutable std::vector<int> columnOf_;     // per entry
    mutable std::vector<int> columnRight_;  // right edge per column
    mutable QSize size_;
};
