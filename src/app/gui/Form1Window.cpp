// The window-level behaviour of the main window: showing, keeping the
// saved bounds on move and resize, the maximum size, the toolbar row's
// place, and closing.
#include "app/gui/Form1.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QSystemTrayIcon>
#include <QFrame>
#include <QScreen>
#include <QWindow>

#include "app/gui/SpeedButton.h"
#include "viewer/gui/VuViewer.h"

bool TForm1::KeepsBounds() const
{
    return isVisible() && !isMaximized() && !isFullScreen() && !FullScreen &&
           !(windowState() & Qt::WindowMinimized);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    ApplyMaximumSize();
    if (windowHandle() && !shownOnce_)
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { ApplyMaximumSize(); });
    shownOnce_ = true;
    FormShow();
}

void TForm1::FormShow()
{
    viewer->setFocus();
    if (!options_.parameters.isEmpty() && !StartupFileOpened) {
        StartupFileOpened = true;
        // Only the first parameter is used.
        openfile(options_.parameters.first(), true, true);
    }
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (KeepsBounds())
        SavedBounds.moveTopLeft(pos());
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    if (KeepsBounds())
        SavedBounds.setSize(size());

    if (media_->VideoAvailable())
        media_->setVideoPos(0, 0, viewer->width(), viewer->height());
    if (!pAbout->isHidden())
        pAbout->move(width() / 2 - pAbout->width() / 2, height() / 2 - pAbout->height() / 2);
    viewer->ResizePlugins(QRect(0, 0, viewer->width(), viewer->height()));

    // The toolbar row stays centred at the top of the window.
    btnprew->move(width() / 2 - 40, btnprew->y());
    btnnext->move(width() / 2, btnnext->y());
    leftpanel->move(btnprew->x() - 110, leftpanel->y());
    rightpanel->move(btnnext->x() + 40, rightpanel->y());
}

void TForm1::ApplyMaximumSize()
{
    // The client area alone may cover the whole screen (full-screen view),
    // but the window grows no larger.
    if (QScreen* s = screen())
        setMaximumSize(s->size());
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    trayicon->hide();
    event->accept();
}

void TForm1::CloseForSignal()
{
    closingForSignal_ = true;
    close();
}
