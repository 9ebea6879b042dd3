#include "app/gui/FormProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/core/FindRules.h"

TFormProgress::TFormProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormProgress"));
    setFixedSize(297, 79);

    LabCaption = new QLabel(QStringLiteral("Поиск"), this);
    LabCaption->setObjectName(QStringLiteral("LabCaption"));
    LabCaption->setGeometry(8, 8, 281, 15);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 27, 281, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    btnCancel = new QPushButton(QStringLiteral("СТОП"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(112, 50, 75, 25);
    connect(btnCancel, &QPushButton::clicked, this, [this] { Cancelled = true; });
}

bool TFormProgress::Update(int64_t position, int64_t maximum)
{
    const int percent = ProgressPercent(position, maximum);
    ProgressBar1->setValue(percent);
    LabCaption->setText(QString::fromStdString(ProgressCaption(position, maximum)));
    QCoreApplication::processEvents();
    return !Cancelled;
}

void TFormProgress::showEvent(QShowEvent* event)
{
    Cancelled = false;
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - rect().center());
    }
}

void TFormProgress::closeEvent(QCloseEvent* event)
{
    // The search owns the window's life; closing it asks to stop.
    btnCancel->click();
    event->ignore();
}

void TFormProgress::reject()
{
    // Escape presses STOP; the window stays until the search has ended.
    btnCancel->click();
}
