#include "app/gui/FrmOptions.h"

#include <QCheckBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "app/gui/ColorButton.h"
#include "app/gui/RadioGroup.h"
#include "viewer/gui/VuViewer.h"

namespace {

template <class W>
W* Named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* Label(const char* name, const char* caption, QWidget* parent, int x, int y, int width = 200)
{
    auto* l = Named(new QLabel(QString::fromUtf8(caption), parent), name);
    l->setGeometry(x, y, width, 16);
    return l;
}

QLineEdit* Edit(const char* name, QWidget* parent, int x, int y, int width)
{
    auto* e = Named(new QLineEdit(parent), name);
    e->setGeometry(x, y, width, 21);
    return e;
}

QCheckBox* Check(const char* name, const char* caption, QWidget* parent, int x, int y, int width)
{
    auto* c = Named(new QCheckBox(QString::fromUtf8(caption), parent), name);
    c->setGeometry(x, y, width, 20);
    return c;
}

QRadioButton* Radio(const char* name, const char* caption, QWidget* parent, int x, int y, int width)
{
    auto* r = Named(new QRadioButton(QString::fromUtf8(caption), parent), name);
    r->setGeometry(x, y, width, 20);
    return r;
}

}  // namespace

TFrmOptions::TFrmOptions(const TVuViewer& viewer, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmOptions"));
    setWindowTitle(QStringLiteral("Peekwell"));
    // A single border without a system menu: the title bar has no buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Tahoma where it is installed, else a face of the same narrow build,
    // so the designed captions fit their places.
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    setFont(font);
    setFixedSize(422, 563);

    setuppages = Named(new QTabWidget(this), "setuppages");
    setuppages->setGeometry(0, 0, 422, 525);
    TSMain = Named(new QWidget, "TSMain");
    TSFonts = Named(new QWidget, "TSFonts");
    setuppages->addTab(TSMain, QString::fromUtf8("Главные настройки"));
    setuppages->addTab(TSFonts, QString::fromUtf8("Шрифт"));

    optaplly = Named(new QPushButton(QString::fromUtf8("Применить"), this), "optaplly");
    optaplly->setGeometry(258, 530, 75, 25);
    optaplly->setDefault(true);
    optcancel = Named(new QPushButton(QString::fromUtf8("Отмена"), this), "optcancel");
    optcancel->setGeometry(339, 530, 75, 25);
    optcancel->setAutoDefault(false);
    // A skin's wide button padding would cut "Применить" in its 75 pixels.
    setStyleSheet(QStringLiteral("QPushButton#optaplly, QPushButton#optcancel { padding-left: 1px; padding-right: 1px; }"));
    connect(optaplly, &QPushButton::clicked, this, &QDialog::accept);
    connect(optcancel, &QPushButton::clicked, this, &QDialog::reject);

    CreateMainPage();
    CreateFontPage();
    // Under a skin's style sheet the pages' controls do not inherit the
    // dialog's font, so each one is given it (those with a font of their
    // own, the B, I and U boxes, keep theirs).
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->testAttribute(Qt::WA_SetFont))
            w->setFont(font);
    FormCreate(viewer);
}

TFrmOptions::~TFrmOptions() = default;

void TFrmOptions::CreateMainPage()
{
    QWidget* page = TSMain;

    grp_ext = Named(new QGroupBox(QString::fromUtf8("Расштрения файлов"), page), "grp_ext");
    grp_ext->setGeometry(2, 2, 413, 225);
    struct ExtRow {
        const char* label;
        const char* caption;
        const char* edit;
        QLabel** labelField;
        QLineEdit** editField;
    };
    const ExtRow rows[] = {
        {"lbl_txt", "Текст", "edtTXT", &lbl_txt, &edtTXT},
        {"lbl_img", "Изображения", "edt_img", &lbl_img, &edt_img},
        {"lbl_media", "Мультимедиа", "edtmedia", &lbl_media, &edtmedia},
        {"lbl_internet", "Интернет", "edtinternet", &lbl_internet, &edtinternet},
        {"lbl_rtf", "RTF", "edtrtf", &lbl_rtf, &edtrtf},
    };
    int y = 18;
    for (const ExtRow& r : rows) {
        *r.labelField = Label(r.label, r.caption, grp_ext, 12, y, 366);
        *r.editField = Edit(r.edit, grp_ext, 12, y + 16, 366);
        y += 41;
    }

    integr = Check("integr", "Интеграция в Windows Explorer", page, 8, 231, 400);

    MViewer = new TRadioGroup(QStringLiteral("MViewer"), QString::fromUtf8("Чем просматривать видео?"),
                              {QStringLiteral("Windows Media Player 6.4"), QStringLiteral("Windows Media Player 9"),
                               QString::fromUtf8("Встроеный просмотрщик")},
                              22, page);
    MViewer->setGeometry(2, 254, 205, 92);
    connect(MViewer, &TRadioGroup::Click, this, &TFrmOptions::MViewerClick);
    cbpause = Check("cbpause", "Пауза при щелчке ЛКМ", page, 8, 350, 200);

    vmGrBox = Named(new QGroupBox(QString::fromUtf8("Вид FileExplorer'а"), page), "vmGrBox");
    vmGrBox->setGeometry(212, 254, 203, 138);
    struct ViewRow {
        const char* name;
        const char* caption;
        QRadioButton** field;
    };
    const ViewRow views[] = {
        {"vmicons", "Значки", &vmicons},
        {"vmSmallIcons", "Маленькие значки", &vmSmallIcons},
        {"vmlist", "Список", &vmlist},
        {"vmrepport", "Таблица", &vmrepport},
        {"vmthumbs", "Плитка", &vmthumbs},
    };
    for (int i = 0; i < 5; ++i) {
        QRadioButton* r = Radio(views[i].name, views[i].caption, vmGrBox, 10, 18 + i * 23, i == 4 ? 80 : 185);
        *views[i].field = r;
        // Each view button sets the look OK applies; only the thumbnails
        // have a size to give.
        connect(r, &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            PendingView = i;
            ShowThumbnailSize(i == 4);
        });
    }
    vmw = Edit("vmw", vmGrBox, 92, 109, 44);
    vmx = Label("vmx", "X", vmGrBox, 141, 111, 10);
    vmh = Edit("vmh", vmGrBox, 153, 109, 44);
    vmw->setText(QStringLiteral("100"));
    vmh->setText(QStringLiteral("100"));
    ShowThumbnailSize(false);

    optuseold = Check("optuseold", "Автоматическое управление главным меню", page, 8, 398, 405);
    opnfileexpl = Check("opnfileexpl", "Открывать FileExplorer по двойному клику левой кнопкой мыши", page, 8, 420, 405);
    lnkopen = Check("lnkopen", "Открывать файл на котрый ссылается ярлык", page, 8, 442, 405);
}

void TFrmOptions::CreateFontPage()
{
    QWidget* page = TSFonts;

    fntFont = Label("fntFont", "Шрифт", page, 10, 10);
    fntfontselect = Named(new QFontComboBox(page), "fntfontselect");
    fntfontselect->setGeometry(10, 28, 198, 23);
    fntsize = Named(new QSpinBox(page), "fntsize");
    fntsize->setRange(1, 999);
    fntsize->setGeometry(214, 28, 56, 23);
    csmain = new TColorButton(QStringLiteral("csmain"), page);
    csmain->setGeometry(276, 27, 60, 25);

    cbB = Check("cbB", "B", page, 10, 60, 40);
    cbI = Check("cbI", "I", page, 56, 60, 40);
    cbU = Check("cbU", "U", page, 102, 60, 40);
    QFont bold = cbB->font();
    bold.setBold(true);
    cbB->setFont(bold);
    QFont italic = cbI->font();
    italic.setItalic(true);
    cbI->setFont(italic);
    QFont underline = cbU->font();
    underline.setUnderline(true);
    cbU->setFont(underline);

    struct ColourRow {
        const char* label;
        const char* caption;
        const char* button;
        QLabel** labelField;
        TColorButton** buttonField;
    };
    const ColourRow rows[] = {
        {"fntColor1", "Фон текста", "cs1", &fntColor1, &cs1},
        {"fntColor2", "Шестнадцатиричный 1", "cs2", &fntColor2, &cs2},
        {"fntColor3", "Шестнадцатиричный 2", "cs3", &fntColor3, &cs3},
        {"fntColor4", "Шестнадцатиричный задний фон", "cs4", &fntColor4, &cs4},
        {"fntColor5", "Желобок слева", "cs5", &fntColor5, &cs5},
    };
    int y = 100;
    for (const ColourRow& r : rows) {
        *r.labelField = Label(r.label, r.caption, page, 10, y + 4, 250);
        *r.buttonField = new TColorButton(QString::fromLatin1(r.button), page);
        (*r.buttonField)->setGeometry(276, y, 60, 25);
        y += 32;
    }
}

void TFrmOptions::FormCreate(const TVuViewer& viewer)
{
    const QFont font = viewer.TextFont();
    SelectFont(font.family());
    fntsize->setValue(font.pointSize() > 0 ? font.pointSize() : qRound(font.pixelSize() * 72.0 / 96.0));
    cbB->setChecked(font.bold());
    cbI->setChecked(font.italic());
    cbU->setChecked(font.underline());
    cs1->SetColor(viewer.TextColor());
    cs2->SetColor(viewer.TextColorHex());
    cs3->SetColor(viewer.TextColorHex2());
    cs4->SetColor(viewer.TextColorHexBack());
    cs5->SetColor(viewer.TextColorGutter());
    csmain->SetColor(viewer.TextFontColor());
}

void TFrmOptions::SelectFont(const QString& name)
{
    const int index = fntfontselect->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    fntfontselect->setCurrentIndex(index);
    if (index < 0)
        fntfontselect->setEditText(name);
}

QString TFrmOptions::SelectedFontName(const QString& current) const
{
    const int index = fntfontselect->findText(fntfontselect->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    return index >= 0 ? fntfontselect->itemText(index) : current;
}

void TFrmOptions::ShowThumbnailSize(bool on)
{
    vmw->setVisible(on);
    vmx->setVisible(on);
    vmh->setVisible(on);
}

void TFrmOptions::MViewerClick()
{
    cbpause->setVisible(MViewer->ItemIndex() == 2);
}
