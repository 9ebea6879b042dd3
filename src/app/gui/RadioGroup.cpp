#include "app/gui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>

TRadioGroup::TRadioGroup(const QString& name, const QString& caption, const QStringList& items, int itemHeight,
                         QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)), itemHeight_(itemHeight)
{
    setObjectName(name);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(name + QStringLiteral("_item%1").arg(i));
        buttons_->addButton(b, i);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            emit Click();
    });
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    for (QAbstractButton* b : buttons_->buttons())
        b->setGeometry(8, 18 + buttons_->id(b) * itemHeight_, width() - 16, itemHeight_);
}

int TRadioGroup::Count() const
{
    return static_cast<int>(buttons_->buttons().size());
}

QRadioButton* TRadioGroup::Item(int index) const
{
    return qobject_cast<QRadioButton*>(buttons_->button(index));
}

int TRadioGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < Count()) {
        buttons_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group keeps one button chosen; letting go of that for a
    // moment is the way to choose none.
    buttons_->setExclusive(false);
    for (QAbstractButton* b : buttons_->buttons())
        b->setChecked(false);
    buttons_->setExclusive(true);
}
