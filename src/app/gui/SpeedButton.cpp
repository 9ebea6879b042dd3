#include "app/gui/SpeedButton.h"

#include "app/gui/ToolIcons.h"

TSpeedButton::TSpeedButton(const QString& name, const QString& hint, int size, QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(name);
    setToolTip(hint);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(size, size);
    const int pictureSize = size >= 40 ? 32 : 16;
    setIcon(ToolIcon(name, pictureSize));
    setIconSize(QSize(pictureSize, pictureSize));
}
