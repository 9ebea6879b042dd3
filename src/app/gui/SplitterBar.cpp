#include "app/gui/SplitterBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

TSplitterBar::TSplitterBar(const QString& name, QWidget* panel, QWidget* parent) : QWidget(parent), panel_(panel)
{
    setObjectName(name);
    setFixedWidth(4);
    setCursor(Qt::SplitHCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void TSplitterBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !panel_)
        return;
    dragging_ = true;
    pressX_ = qRound(event->globalPosition().x());
    pressWidth_ = panel_->width();
}

void TSplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !panel_)
        return;
    // The viewer must keep some room too, so the panel never pushes the
    // window wider than it is.
    const int room = parentWidget() ? parentWidget()->width() - kMinPanelWidth : pressWidth_;
    const int width = std::clamp(pressWidth_ + qRound(event->globalPosition().x()) - pressX_, kMinPanelWidth,
                                 std::max(kMinPanelWidth, room));
    panel_->setFixedWidth(width);
}

void TSplitterBar::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

void TSplitterBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOption opt;
    opt.initFrom(this);
    opt.state |= QStyle::State_Horizontal;
    style()->drawControl(QStyle::CE_Splitter, &opt, &p, this);
}
