// A radio group: a captioned box of radio buttons, one per item, of which
// at most one is chosen. Language files reach its caption (Caption) and
// its item texts (Items) as they do any group box's.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex NOTIFY Click)

public:
    // A group named `name` captioned `caption` with one button per item,
    // stacked from the top, `itemHeight` pixels apart.
    TRadioGroup(const QString& name, const QString& caption, const QStringList& items, int itemHeight,
                QWidget* parent);

    int Count() const;
    QRadioButton* Item(int index) const;

    // The chosen item, or -1 when none is.
    int ItemIndex() const;
    // Chooses item `index`; any value outside the items chooses none.
    void SetItemIndex(int index);

signals:
    // The chosen item changed, by the user or by SetItemIndex.
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QButtonGroup* buttons_;
    int itemHeight_;
};
