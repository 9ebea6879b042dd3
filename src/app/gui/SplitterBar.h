// A splitter between two side-by-side panels: dragging it changes the
// width of the panel on its left, the way the window's panels are sized
// (each panel keeps a fixed width; the viewer takes the rest).
#pragma once

#include <QPointer>
#include <QWidget>

class TSplitterBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinPanelWidth = 30;

    // A bar that resizes `panel` (not owned; its fixed width is changed).
    TSplitterBar(const QString& name, QWidget* panel, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QWidget> panel_;
    int pressX_ = 0;
    int pressWidth_ = 0;
    bool dragging_ = false;
};
