#include "app/gui/AppMessageHook.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/gui/Form1.h"
#include "app/gui/SpeedButton.h"

TAppMessageHook::TAppMessageHook(TForm1* form) : QObject(form), form_(form)
{
    qApp->installEventFilter(this);
}

TAppMessageHook::~TAppMessageHook()
{
    qApp->removeEventFilter(this);
}

bool TAppMessageHook::eventFilter(QObject* watched, QEvent* event)
{
    // A press reaches every widget up the parent chain that ignores it;
    // only the first delivery, to a widget of the window, counts.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || QApplication::activeWindow() != form_)
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != form_)
        return QObject::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Backspace:
        form_->btnprew->click();
        return true;
    case Qt::Key_Space:
        form_->btnnext->click();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
