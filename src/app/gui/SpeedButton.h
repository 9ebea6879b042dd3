// The flat picture buttons of the toolbar row. They carry the property
// names language files use (Hint, Caption) besides Qt's own.
#pragma once

#include <QToolButton>

class TSpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    // A `size` × `size` button named `name` with the picture of that name
    // (ToolIcon) and `hint` as its tool tip (none when empty).
    TSpeedButton(const QString& name, const QString& hint, int size, QWidget* parent);
};
