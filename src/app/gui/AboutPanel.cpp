#include "app/gui/AboutPanel.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>

#include "app/gui/HtmlListBox.h"
#include "app/gui/SpeedButton.h"
#include "app/gui/ToolIcons.h"

namespace {

constexpr int kWidth = 470;
constexpr int kHeight = 330;
constexpr int kMargin = 12;

QLabel* Label(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* Link(const char* name, const char* url, const char* caption, QWidget* parent)
{
    QLabel* label = Label(name, parent);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(QLatin1String(url), QString::fromUtf8(caption)));
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return label;
}

}  // namespace

bool TSilentHintLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return true;
    return QLabel::event(event);
}

TAboutPanel::TAboutPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pAbout"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    resize(kWidth, kHeight);

    sLabelFX1 = new TSilentHintLabel(this);
    sLabelFX1->setObjectName(QStringLiteral("sLabelFX1"));
    sLabelFX1->setText(QStringLiteral("Peekwell "));
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(64);
    title.setBold(true);
    sLabelFX1->setFont(title);
    auto* shadow = new QGraphicsDropShadowEffect(sLabelFX1);
    shadow->setBlurRadius(8);
    shadow->setOffset(3, 3);
    shadow->setColor(QColor(0, 0, 0, 150));
    sLabelFX1->setGraphicsEffect(shadow);
    sLabelFX1->adjustSize();
    sLabelFX1->move(kMargin, 4);

    sLabel2 = Label("sLabel2", this);
    sLabel2->setText(QStringLiteral("1.1.6 (Tarnwick)"));
    sLabel2->move(kMargin + 4, sLabelFX1->y() + sLabelFX1->height());
    sLabel2->adjustSize();

    Image1 = Label("Image1", this);
    Image1->setPixmap(AppIcon().pixmap(64, 64));
    Image1->setGeometry(kWidth - kMargin - 24 - 64, 10, 64, 64);

    sSpeedButton1 = new TSpeedButton(QStringLiteral("sSpeedButton1"), QString(), 20, this);
    sSpeedButton1->setText(QStringLiteral("X"));
    sSpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    sSpeedButton1->move(kWidth - 4 - 20, 4);
    connect(sSpeedButton1, &QToolButton::clicked, this, &QWidget::hide);

    const int linksTop = sLabel2->y() + sLabel2->height() + 8;
    sWebLabel1 = Link("sWebLabel1", kHomePage, "Домашняя страница", this);
    sWebLabel1->move(kMargin + 4, linksTop);
    sWebLabel1->adjustSize();
    sWebLabel2 = Link("sWebLabel2", kMail, "E-mail", this);
    sWebLabel2->move(kMargin + 4 + 160, linksTop);
    sWebLabel2->adjustSize();

    sLabel1 = Label("sLabel1", this);
    sLabel1->setText(QStringLiteral("Спасибо всем, кто присылал переводы, плагины и сообщения об ошибках."));
    sLabel1->setWordWrap(true);
    sLabel1->setGeometry(kMargin + 4, linksTop + 24, kWidth - 2 * kMargin - 8, 32);

    helpedt = new THtmlListBox(this);
    helpedt->setObjectName(QStringLiteral("helpedt"));
    const int listTop = sLabel1->y() + sLabel1->height() + 6;
    helpedt->setGeometry(kMargin, listTop, kWidth - 2 * kMargin, kHeight - kMargin - listTop);
    // Until a language file brings the help, the list says there is none.
    helpedt->SetItems({QString(), QString(), QString(),
                       QStringLiteral("<P align=\"center\"><FONT color=\"clRed\">Help not found</FONT></P>")});
}

void TAboutPanel::Centre()
{
    if (QWidget* p = parentWidget())
        move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
}
