#include "app/gui/FindDialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

QCheckBox* Box(const char* name, const char* caption, int x, int y, int width, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, width, 17);
    return box;
}

QPushButton* Button(const char* name, const char* caption, int y, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(323, y, 101, 25);
    return button;
}

}  // namespace

TFindtextt::TFindtextt(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Findtextt"));
    setWindowTitle(QStringLiteral("Найти текст"));
    setFixedSize(432, 115);

    texttofind = new QLineEdit(this);
    texttofind->setObjectName(QStringLiteral("texttofind"));
    texttofind->setGeometry(8, 8, 416, 21);
    texttofind->setMaxLength(kMaxTextLength);
    texttofind->installEventFilter(this);

    fullword = Box("fullword", "Только слова целиком", 8, 35, 135, this);
    reguse = Box("reguse", "С учётом регистра", 8, 61, 135, this);
    reverce = Box("reverce", "Искать назад", 8, 87, 135, this);
    encoem = Box("encoem", "OEM", 145, 35, 80, this);
    encutf8 = Box("encutf8", "UTF-8", 230, 35, 85, this);
    encunicode = Box("encunicode", "Unicode", 145, 61, 170, this);
    encunicodebe = Box("encunicodebe", "UnicodeBE", 145, 87, 170, this);

    start = Button("start", "Найти", 47, this);
    cancel = Button("cancel", "Отмена", 78, this);
    connect(start, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFindEncodingBoxes TFindtextt::EncodingBoxes() const
{
    TFindEncodingBoxes boxes;
    boxes.Oem = encoem->isChecked();
    boxes.Unicode = encunicode->isChecked();
    boxes.UnicodeBE = encunicodebe->isChecked();
    boxes.Utf8 = encutf8->isChecked();
    return boxes;
}

TFindOptionBoxes TFindtextt::OptionBoxes() const
{
    TFindOptionBoxes boxes;
    boxes.MatchCase = reguse->isChecked();
    boxes.WholeWords = fullword->isChecked();
    boxes.Backward = reverce->isChecked();
    return boxes;
}

void TFindtextt::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Over the middle of the window it was opened from.
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - rect().center());
    }
    texttofind->setFocus(Qt::OtherFocusReason);
}

bool TFindtextt::eventFilter(QObject* watched, QEvent* event)
{
    // In the text box Enter finds and Escape cancels; the key goes no
    // further.
    if (watched == texttofind && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            start->click();
            return true;
        }
        if (key == Qt::Key_Escape) {
            cancel->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
