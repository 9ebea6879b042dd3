#include "app/gui/Form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTreeView>

#include "app/gui/AboutPanel.h"
#include "app/gui/FileIcons.h"
#include "app/gui/Fpluginst.h"
#include "app/gui/ScreenSaverInhibitor.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SkinManager.h"
#include "app/gui/SpeedButton.h"
#include "app/gui/SplitterBar.h"
#include "app/gui/ToolIcons.h"
#include "i18n/gui/ClassLibraryProperties.h"
#include "viewer/gui/VuViewer.h"

namespace {

// The toolbar row's buttons: panel, row, place, name and hint as stored.
struct ToolButtonRow {
    bool left;
    int row;
    int place;
    const char* name;
    const char* hint;
};

constexpr ToolButtonRow kToolButtons[] = {
    {true, 0, 0, "btnopen", "Открыть файл"},
    {true, 0, 1, "copybtn", "Копировать текущий файл"},
    {true, 0, 2, "btnview", "Формат просмотра"},
    {true, 0, 3, "btnpanels", "Показать Explorer файлов"},
    {true, 0, 4, "btnzoomin", "Увеличить"},
    {true, 1, 0, "btnfind", "Найти Ctrl+F"},
    {true, 1, 1, "btnfindnext", "Найти далее Ctrl+S"},
    {true, 1, 2, "btnnonprintable", "Показывать непечатаемые символы"},
    {true, 1, 3, "specOEM", ""},
    {true, 1, 4, "btnwrap", ""},
    {false, 0, 0, "btnzoomout", ""},
    {false, 0, 1, "showfull", "Во весь экран"},
    {false, 0, 2, "btnprint", "Печать\\настройка принтера"},
    {false, 0, 3, "btnoptions", "Опции"},
    {false, 0, 4, "btnabout", "О программе"},
    {false, 0, 5, "btnsave", ""},
    {false, 1, 0, "btn90", "Повернуть на 90 градусов"},
    {false, 1, 1, "btn270", "Повернуть на 270 градусов"},
    {false, 1, 2, "btnfliphor", "Отразить по горизонтали"},
    {false, 1, 3, "btnflipvertical", "Отразить по вертикали"},
    {false, 1, 4, "btnnegative", "Негатив"},
    {false, 1, 5, "btnother", "Чёрно-белые тона"},
};

constexpr int kButtonSize = 22;
constexpr int kPanelWidth = 110;
constexpr int kBigButtonSize = 40;

QString ExecutableDir()
{
    QString dir = QCoreApplication::applicationDirPath();
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

QFrame* Panel(const QString& name, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    return panel;
}

}  // namespace

TForm1::TForm1(TForm1Options options) : QWidget(nullptr), options_(std::move(options))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(AppIcon());
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(737, 569);

    AppDir = options_.appDir.isEmpty() ? ExecutableDir() : options_.appDir;
    if (!AppDir.endsWith(QLatin1Char('/')))
        AppDir += QLatin1Char('/');
    if (options_.parameters.isEmpty() && options_.useCommandLine)
        options_.parameters = QCoreApplication::arguments().mid(1);
    if (options_.media) {
        media_ = options_.media;
    } else {
        ownMedia_ = std::make_unique<TNoMediaLibrary>();
        media_ = ownMedia_.get();
    }

    CreateComponents();
    FormCreate();
}

TForm1::~TForm1()
{
    // A cursor hidden over idle video is the application's; give it back.
    SetCursorShown(true);
    // The viewer goes first (it unloads its file and plugins), then the
    // plugin manager window.
    delete viewer;
    viewer = nullptr;
    fpluginst_.reset();
}

void TForm1::CreateComponents()
{
    folderModel_ = new QFileSystemModel(this);
    // Folders only: sockets and devices (QDir::System) are no places to go.
    folderModel_->setFilter(QDir::AllDirs | QDir::Hidden | QDir::NoDotAndDotDot);
    folderModel_->setReadOnly(true);
    static FileIcons folderIcons;
    folderModel_->setIconProvider(&folderIcons);
    folderModel_->setRootPath(QDir::rootPath());

    treeview = new QTreeView(this);
    treeview->setObjectName(QStringLiteral("treeview"));
    treeview->setModel(folderModel_);
    treeview->setRootIndex(folderModel_->index(QDir::rootPath()).parent());
    for (int c = 1; c < folderModel_->columnCount(); ++c)
        treeview->hideColumn(c);
    treeview->header()->hide();
    treeview->setIndentation(19);
    treeview->setFont(QFont(QStringLiteral("Segoe UI"), 9));
    treeview->setFixedWidth(169);
    treeview->setContextMenuPolicy(Qt::NoContextMenu);
    treeview->setSelectionMode(QAbstractItemView::SingleSelection);
    // Each folder read on the way to the one asked for moves the rows below
    // it: the tree follows until the user takes it over.
    connect(folderModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        const QString prefix = loaded.endsWith(QLatin1Char('/')) ? loaded : loaded + QLatin1Char('/');
        if (!pendingTreeFolder_.isEmpty() && (pendingTreeFolder_ == loaded || pendingTreeFolder_.startsWith(prefix)))
            ScrollTreeToPending();
    });
    connect(treeview, &QAbstractItemView::pressed, this, [this] { pendingTreeFolder_.clear(); });

    listview = new TShellListView(this);
    listview->setObjectName(QStringLiteral("listview"));
    listview->setFont(QFont(QStringLiteral("Segoe UI"), 9));
    listview->setFixedWidth(170);
    listview->setContextMenuPolicy(Qt::NoContextMenu);

    // The list shows the folder picked in the tree.
    connect(treeview->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    listview->SetFolder(folderModel_->filePath(current));
            });

    copydlg = new QFileDialog(this);
    copydlg->setObjectName(QStringLiteral("copydlg"));
    copydlg->setAcceptMode(QFileDialog::AcceptSave);
    copydlg->setFileMode(QFileDialog::AnyFile);
    copydlg->setNameFilters(QtNameFilters(QStringLiteral("Все файлы|*.*")));

    sSplitter2 = new TSplitterBar(QStringLiteral("sSplitter2"), treeview, this);
    sSplitter1 = new TSplitterBar(QStringLiteral("sSplitter1"), listview, this);

    viewer = new TVuViewer(this);
    viewer->setObjectName(QStringLiteral("viewer"));
    viewer->setFrameShape(QFrame::NoFrame);
    QPalette white = viewer->palette();
    white.setColor(QPalette::Window, Qt::white);
    viewer->setPalette(white);
    viewer->SetTextWrap(true);
    viewer->SetTextGutter(true);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(13);
    viewer->SetTextFont(courier);
    QFont terminal(QStringLiteral("Terminal"));
    terminal.setPixelSize(19);
    terminal.setStyleHint(QFont::Monospace);
    viewer->SetTextFontOEM(terminal);
    viewer->SetTextAutoReload(true);
    viewer->SetTextAutoReloadBeep(true);
    viewer->SetBorderStyleInner(QFrame::NoFrame);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(treeview);
    row->addWidget(sSplitter2);
    row->addWidget(listview);
    row->addWidget(sSplitter1);
    row->addWidget(viewer, 1);

    mediapanel1 = Panel(QStringLiteral("mediapanel1"), this);
    mediapanel1->setFrameShape(QFrame::StyledPanel);
    mediapanel1->resize(400, 40);
    mediapanel1->hide();

    pAbout = new TAboutPanel(this);
    pAbout->hide();

    CreateToolbar();
    CreateOptionsMenu();

    trayicon = new QSystemTrayIcon(AppIcon(), this);
    trayicon->setObjectName(QStringLiteral("trayicon"));
    trayicon->setToolTip(QStringLiteral("Peekwell"));
    connect(trayicon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::DoubleClick)
            RestoreFromTray();
    });

    skinManager = new TSkinManager(this);
    fpluginst_ = std::make_unique<TFpluginst>(this);
    CreateFindCommands();
    CreateOpenCommands();
    CreateViewCommands();
}

void TForm1::CreateToolbar()
{
    leftpanel = Panel(QStringLiteral("leftpanel"), this);
    leftpanel->setGeometry(0, 0, kPanelWidth, kButtonSize);
    rightpanel = Panel(QStringLiteral("rightpanel"), this);
    rightpanel->setGeometry(0, 0, kPanelWidth, kButtonSize);
    for (QFrame* panel : {leftpanel, rightpanel})
        panel->setAutoFillBackground(true);

    // Buttons sit side by side from the panel's left, row 1 above row 2; a
    // place outside the panel's current size is simply not seen.
    for (const ToolButtonRow& b : kToolButtons) {
        auto* button = new TSpeedButton(QString::fromUtf8(b.name), QString::fromUtf8(b.hint), kButtonSize,
                                        b.left ? leftpanel : rightpanel);
        button->move(b.place * kButtonSize, b.row * kButtonSize);
    }
    for (const char* disabled : {"btnview", "btnprint", "btnsave"})
        ToolButton(QString::fromLatin1(disabled))->setEnabled(false);
    ToolButton(QStringLiteral("showfull"))->setCheckable(true);

    btnprew = new TSpeedButton(QStringLiteral("btnprew"), QStringLiteral("Предыдущий файл"), kBigButtonSize, this);
    btnnext = new TSpeedButton(QStringLiteral("btnnext"), QStringLiteral("Следующий файл"), kBigButtonSize, this);
    btnshowhide = new TSpeedButton(QStringLiteral("btnshowhide"), QString(), kButtonSize, this);
    btnshowhide->hide();

    for (QWidget* w : {static_cast<QWidget*>(leftpanel), static_cast<QWidget*>(rightpanel),
                       static_cast<QWidget*>(btnprew), static_cast<QWidget*>(btnnext)})
        w->raise();
}

void TForm1::CreateOptionsMenu()
{
    options = new QMenu(this);
    options->setObjectName(QStringLiteral("options"));
    auto item = [this](const char* name, const char* caption) {
        QAction* a = options->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    N10 = item("N10", "Красивое оформление");
    N10->setCheckable(true);
    N7 = item("N7", "Выбрать оформление");
    N8 = item("N8", "Изменить язык");
    N9 = item("N9", "Настроить плагины");
    N11 = item("N11", "Настройки");
    options->addSeparator();
    totray = item("totray", "Свернуть в трей");

    connect(N10, &QAction::triggered, this, [this](bool on) { skinManager->SetActive(on); });
    connect(N11, &QAction::triggered, this, &TForm1::N11Click);
    connect(totray, &QAction::triggered, this, &TForm1::HideToTray);
    connect(ToolButton(QStringLiteral("btnoptions")), &QToolButton::clicked, this,
            [this] { options->popup(QCursor::pos()); });
}

TSpeedButton* TForm1::ToolButton(const QString& name) const
{
    return findChild<TSpeedButton*>(name);
}

void TForm1::ShowFolder(const QString& folder)
{
    const QModelIndex index = folderModel_->index(folder);
    if (!index.isValid())
        return;
    pendingTreeFolder_ = folder;
    pendingTreeSince_.start();
    treeview->setCurrentIndex(index);
    treeview->scrollTo(index, QAbstractItemView::PositionAtCenter);
    listview->SetFolder(folder);
}

void TForm1::ScrollTreeToPending()
{
    constexpr qint64 kFollowMs = 5000;
    if (pendingTreeFolder_.isEmpty() || pendingTreeSince_.elapsed() > kFollowMs) {
        pendingTreeFolder_.clear();
        return;
    }
    const QModelIndex index = folderModel_->index(pendingTreeFolder_);
    if (!index.isValid())
        return;
    if (treeview->currentIndex() != index)
        treeview->setCurrentIndex(index);
    treeview->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void TForm1::HideToTray()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        trayicon->show();
        hide();
    } else {
        // Hiding with no tray to come back from would lose the window.
        showMinimized();
    }
}

void TForm1::RestoreFromTray()
{
    trayicon->hide();
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm1::LocalizerAutoTranslate()
{
    if (options_.localizer)
        options_.localizer->SetAutoTranslate(true);
}

void TForm1::LocalizerLoadLanguage()
{
    if (options_.localizer && QFileInfo::exists(LanguageFile) && options_.localizer->LoadLanguage(LanguageFile))
        options_.localizer->TranslateAllForms();
}
