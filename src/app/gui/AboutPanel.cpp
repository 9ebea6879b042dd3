#include "app/gui/AboutPanel.h"

#include <QEvent>
#include <QBoxLayout>
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

    sLabel2 = Label("sLabel2", this);
    sLabel2->setText(QStringLiteral("1.1.6 (Tarnwick)"));

    Image1 = Label("Image1", this);
    Image1->setPixmap(AppIcon().pixmap(64, 64));
    Image1->setFixedSize(64, 64);

    sSpeedButton1 = new TSpeedButton(QStringLiteral("sSpeedButton1"), QString(), 20, this);
    sSpeedButton1->setText(QStringLiteral("X"));
    sSpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(sSpeedButton1, &QToolButton::clicked, this, &QWidget::hide);

    sWebLabel1 = Link("sWebLabel1", kHomePage, "Домашняя страница", this);
    sWebLabel2 = Link("sWebLabel2", kMail, "E-mail", this);

    sLabel1 = Label("sLabel1", this);
    sLabel1->setText(QStringLiteral("Спасибо всем, кто присылал переводы, плагины и сообщения об ошибках."));
    sLabel1->setWordWrap(true);

    helpedt = new THtmlListBox(this);
    helpedt->setObjectName(QStringLiteral("helpedt"));
    // Until a language file brings the help, the list says there is none.
    helpedt->SetItems({QString(), QString(), QString(),
                       QStringLiteral("<P align=\"center\"><FONT color=\"clRed\">Help not found</FONT></P>")});

    // Laid out rather than placed, so every text keeps its room whatever
    // the language, the skin or the fonts.
    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(sLabelFX1);
    titles->addWidget(sLabel2);
    auto* top = new QHBoxLayout;
    top->addLayout(titles);
    top->addStretch(1);
    top->addWidget(Image1, 0, Qt::AlignVCenter);
    top->addWidget(sSpeedButton1, 0, Qt::AlignTop);
    auto* links = new QHBoxLayout;
    links->setSpacing(kMargin * 3);
    links->addWidget(sWebLabel1);
    links->addWidget(sWebLabel2);
    links->addStretch(1);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(kMargin, 4, kMargin, kMargin);
    all->addLayout(top);
    all->addLayout(links);
    all->addWidget(sLabel1);
    all->addWidget(helpedt, 1);
}

void TAboutPanel::Centre()
{
    if (QWidget* p = parentWidget())
        move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
}
