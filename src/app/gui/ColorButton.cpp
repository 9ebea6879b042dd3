#include "app/gui/ColorButton.h"

#include <QColorDialog>
#include <QPainter>

#include "text/gui/VuSystemColors.h"

TColorButton::TColorButton(const QString& name, QWidget* parent) : QPushButton(parent)
{
    setObjectName(name);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { ChooseColor(); });
}

void TColorButton::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
    emit ColorChanged(color_);
}

bool TColorButton::ChooseColor()
{
    QColorDialog dialog(ColorToQColor(color_), this);
    dialog.setObjectName(QStringLiteral("colordialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return false;
    SetColor(QColorToColor(dialog.selectedColor()));
    return true;
}

void TColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect swatch = rect().adjusted(5, 5, -6, -6);
    // A system colour is the desktop's, as the text view shows it; the
    // button's own palette may be a skin's gradient.
    p.fillRect(swatch, ColorToQColor(color_));
    p.setPen(isEnabled() ? palette().color(QPalette::WindowText) : palette().color(QPalette::Mid));
    p.drawRect(swatch);
}
