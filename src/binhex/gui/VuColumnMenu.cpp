#include "binhex/gui/VuColumnMenu.h"

#include <QActionGroup>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include <algorithm>

TVuColumnMenu::TVuColumnMenu(QWidget* parent) : QWidget(parent, Qt::Popup)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
}

TVuColumnMenu::~TVuColumnMenu()
{
    if (loop_)
        loop_->quit();  // Exec notices through its guard and returns
}

QAction* TVuColumnMenu::AddAction(const QString& text)
{
    auto* action = new QAction(text, this);
    entries_.push_back({Entry::item, action});
    laidOut_ = false;
    return action;
}

void TVuColumnMenu::AddSeparator()
{
    entries_.push_back({Entry::separator, nullptr});
    laidOut_ = false;
}

void TVuColumnMenu::AddColumnBreak()
{
    entries_.push_back({Entry::columnBreak, nullptr});
    laidOut_ = false;
}

QList<QAction*> TVuColumnMenu::Items() const
{
    QList<QAction*> items;
    for (const Entry& e : entries_)
        if (e.kind == Entry::item)
            items.append(e.action);
    return items;
}

int TVuColumnMenu::ColumnCount() const
{
    Layout();
    return int(columnRight_.size());
}

int TVuColumnMenu::ColumnOf(const QAction* action) const
{
    Layout();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].action == action)
            return columnOf_[i];
    return -1;
}

QAction* TVuColumnMenu::ActiveAction() const { return active_ >= 0 ? entries_[size_t(active_)].action : nullptr; }

QSize TVuColumnMenu::sizeHint() const
{
    Layout();
    return size_;
}

// --- Layout and drawing -----------------------------------------------------

void TVuColumnMenu::InitItemOption(QStyleOptionMenuItem& option, size_t index) const
{
    const Entry& e = entries_[index];
    option.initFrom(this);
    option.state = QStyle::State_None;
    option.font = font();
    option.fontMetrics = fontMetrics();
    option.menuHasCheckableItems = true;
    option.maxIconWidth = 0;
    option.reservedShortcutWidth = 0;
    option.menuRect = rect();
    if (e.kind != Entry::item) {
        option.menuItemType = QStyleOptionMenuItem::Separator;
        option.checkType = QStyleOptionMenuItem::NotCheckable;
        return;
    }
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = e.action->text();
    const bool enabled = isEnabled() && e.action->isEnabled();
    if (enabled)
        option.state |= QStyle::State_Enabled;
    else
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    if (enabled && int(index) == active_)
        option.state |= QStyle::State_Selected;
    if (e.action->isCheckable()) {
        const bool exclusive = e.action->actionGroup() && e.action->actionGroup()->isExclusive();
        option.checkType = exclusive ? QStyleOptionMenuItem::Exclusive : QStyleOptionMenuItem::NonExclusive;
        option.checked = e.action->isChecked();
    } else {
        option.checkType = QStyleOptionMenuItem::NotCheckable;
    }
}

void TVuColumnMenu::Layout() const
{
    if (laidOut_)
        return;
    QStyle* s = style();
    const int frame = s->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    const int hMargin = s->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this);
    const int vMargin = s->pixelMetric(QStyle::PM_MenuVMargin, nullptr, this);
    const int top = frame + vMargin;
    const QFontMetrics fm = fontMetrics();

    rects_.assign(entries_.size(), QRect());
    columnOf_.assign(entries_.size(), 0);
    columnRight_.clear();
    // Sizes first, then place column by column at the widest item's width.
    std::vector<QSize> sizes(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == Entry::columnBreak)
            continue;
        QStyleOptionMenuItem option;
        InitItemOption(option, i);
        const QSize contents = entries_[i].kind == Entry::item
                                   ? QSize(fm.horizontalAdvance(option.text), fm.height())
                                   : QSize(2, 2);
        sizes[i] = s->sizeFromContents(QStyle::CT_MenuItem, &option, contents, this);
    }
    int left = frame + hMargin;
    int bottom = top;
    size_t first = 0;
    int column = 0;
    while (first <= entries_.size()) {
        size_t end = first;
        int width = 0;
        while (end < entries_.size() && entries_[end].kind != Entry::columnBreak)
            width = std::max(width, sizes[end++].width());
        int y = top;
        for (size_t i = first; i < end; ++i) {
            rects_[i] = QRect(left, y, width, sizes[i].height());
            columnOf_[i] = column;
            y += sizes[i].height();
        }
        bottom = std::max(bottom, y);
        left += width;
        columnRight_.push_back(left);
        if (end >= entries_.size())
            break;
        columnOf_[end] = column;
        left += 1;  // the line between two columns
        first = end + 1;
        ++column;
    }
    size_ = QSize(left + hMargin + frame, bottom + vMargin + frame);
    laidOut_ = true;
}

void TVuColumnMenu::paintEvent(QPaintEvent*)
{
    Layout();
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    QStyleOption panel;
    panel.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelMenu, &panel, &p, this);
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == Entry::columnBreak)
            continue;
        QStyleOptionMenuItem option;
        InitItemOption(option, i);
        option.rect = rects_[i];
        style()->drawControl(QStyle::CE_MenuItem, &option, &p, this);
    }
    p.setPen(palette().color(QPalette::Mid));
    for (size_t c = 0; c + 1 < columnRight_.size(); ++c)
        p.drawLine(columnRight_[c], 2, columnRight_[c], height() - 3);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    frame.midLineWidth = 0;
    style()->drawPrimitive(QStyle::PE_FrameMenu, &frame, &p, this);
}

void TVuColumnMenu::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        laidOut_ = false;
}

// --- Choosing -------------------------------------------------------------------

int TVuColumnMenu::EntryAt(QPoint point) const
{
    Layout();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (rects_[i].contains(point))
            return int(i);
    return -1;
}

bool TVuColumnMenu::IsSelectable(size_t index) const
{
    const Entry& e = entries_[index];
    return e.kind == Entry::item && e.action->isEnabled() && e.action->isVisible();
}

void TVuColumnMenu::SetActive(int index)
{
    if (index == active_)
        return;
    active_ = index;
    update();
}

void TVuColumnMenu::MoveVertically(int step)
{
    if (entries_.empty())
        return;
    const int n = int(entries_.size());
    int i = active_ >= 0 ? active_ : (step > 0 ? -1 : n);
    const int column = active_ >= 0 ? columnOf_[size_t(active_)] : -1;
    for (int tries = 0; tries < n; ++tries) {
        i += step;
        if (i < 0 || i >= n)
            return;  // the ends of a column stop the cursor
        if (column >= 0 && columnOf_[size_t(i)] != column)
            return;
        if (IsSelectable(size_t(i))) {
            SetActive(i);
            return;
        }
    }
}

void TVuColumnMenu::MoveToColumn(int step)
{
    Layout();
    if (active_ < 0) {
        MoveVertically(1);
        return;
    }
    const int target = columnOf_[size_t(active_)] + step;
    const int y = rects_[size_t(active_)].center().y();
    int best = -1;
    int bestDistance = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (columnOf_[i] != target || !IsSelectable(i))
            continue;
        const int distance = std::abs(rects_[i].center().y() - y);
        if (best < 0 || distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    if (best >= 0)
        SetActive(best);
}

void TVuColumnMenu::Choose(size_t index)
{
    if (!IsSelectable(index))
        return;
    QAction* action = entries_[index].action;
    chosen_ = action;
    hide();
    action->trigger();
    emit triggered(action);
}

void TVuColumnMenu::mouseMoveEvent(QMouseEvent* event)
{
    const int i = EntryAt(event->position().toPoint());
    SetActive(i >= 0 && IsSelectable(size_t(i)) ? i : -1);
}

void TVuColumnMenu::mousePressEvent(QMouseEvent* event)
{
    // A press outside a popup closes it, as for every menu.
    if (!rect().contains(event->position().toPoint()))
        hide();
}

void TVuColumnMenu::mouseReleaseEvent(QMouseEvent* event)
{
    const int i = EntryAt(event->position().toPoint());
    if (i >= 0)
        Choose(size_t(i));
}

void TVuColumnMenu::leaveEvent(QEvent*) { SetActive(-1); }

void TVuColumnMenu::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: MoveVertically(-1); break;
    case Qt::Key_Down: MoveVertically(1); break;
    case Qt::Key_Left: MoveToColumn(-1); break;
    case Qt::Key_Right: MoveToColumn(1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (active_ >= 0)
            Choose(size_t(active_));
        break;
    case Qt::Key_Escape: hide(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TVuColumnMenu::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (loop_)
        loop_->quit();
}

QAction* TVuColumnMenu::Exec(QPoint topCentre)
{
    laidOut_ = false;
    const QSize size = sizeHint();
    resize(size);
    QPoint pos(topCentre.x() - size.width() / 2, topCentre.y());
    const QScreen* screen = QGuiApplication::screenAt(topCentre);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
        pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    move(pos);
    // The keyboard starts on the checked item.
    active_ = -1;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (IsSelectable(i) && entries_[i].action->isChecked())
            active_ = int(i);
    chosen_ = nullptr;
    show();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
    QEventLoop loop;
    loop_ = &loop;
    const QPointer<TVuColumnMenu> alive(this);
    if (isVisible())
        loop.exec();
    if (!alive)
        return nullptr;
    loop_ = nullptr;
    return chosen_;
}
