// The main window's view commands that are not toolbar moves: the filter
// and print menus, the options menu's skin, language and plugin items,
// full screen, showing the panels, the About panel, the character keys and
// media full screen.
#include "app/gui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>

#include "app/core/AtomicFile.h"
#include "app/core/PluginList.h"
#include "app/gui/AboutPanel.h"
#include "app/gui/FilterIcons.h"
#include "app/gui/Fpluginst.h"
#include "app/gui/ScreenSaverInhibitor.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SkinManager.h"
#include "app/gui/SpeedButton.h"
#include "app/gui/SplitterBar.h"
#include "viewer/gui/VuViewer.h"

namespace {

QAction* MenuItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

void TForm1::CreateViewCommands()
{
    CreateFilterMenu();
    CreatePrintMenu();
    ConnectToolbarButtons();
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(N9, &QAction::triggered, this, &TForm1::N9Click);
    connect(AboutPanel()->sSpeedButton1, &QToolButton::clicked, pAbout, &QWidget::hide);
    screenSaver_ = std::make_unique<TScreenSaverInhibitor>(QStringLiteral("Peekwell"),
                                                           QStringLiteral("Viewing files"));
}

void TForm1::CreateFilterMenu()
{
    filtermenu = new QMenu(this);
    filtermenu->setObjectName(QStringLiteral("filtermenu"));
    const struct {
        QAction*& item;
        const char* name;
        const char* caption;
        int command;
    } items[] = {
        {N13, "N13", "Оттенки серого", 2}, {N14, "N14", "Гаусово размытие", 10}, {N15, "N15", "Пикселизация", 7},
        {N16, "N16", "Блоки", 9},          {N17, "N17", "Иней", 6},              {N18, "N18", "Пастеризация", 11},
        {N19, "N19", "Шумы", 12},          {N20, "N20", "Волны", 8},
    };
    for (const auto& i : items) {
        i.item = MenuItem(filtermenu, i.name, i.caption);
        i.item->setIcon(FilterIcon(i.command));
        const int command = i.command;
        connect(i.item, &QAction::triggered, this, [this, command] { ImageCommandClick(command); });
    }
}

void TForm1::CreatePrintMenu()
{
    printmenu = new QMenu(this);
    printmenu->setObjectName(QStringLiteral("printmenu"));
    // The items' texts are the language file's; these stand in without one.
    N1 = MenuItem(printmenu, "N1", "Печать");
    N3 = MenuItem(printmenu, "N3", "Предварительный просмотр");
    N2 = MenuItem(printmenu, "N2", "Настройка принтера");
    connect(N1, &QAction::triggered, this, [this] { viewer->PrintFile(); });
    connect(N3, &QAction::triggered, this, [this] { viewer->PrintPreview(); });
    connect(N2, &QAction::triggered, this, [this] { viewer->PrinterSetup(); });
}

TAboutPanel* TForm1::AboutPanel() const
{
    return static_cast<TAboutPanel*>(pAbout);
}

// --- Panels, full screen, About ----------------------------------------------------------------

void TForm1::btnpanelsClick()
{
    // Each is inverted on its own, as the user may have left them apart.
    for (QWidget* w : {static_cast<QWidget*>(sSplitter2), static_cast<QWidget*>(listview),
                       static_cast<QWidget*>(sSplitter1), static_cast<QWidget*>(treeview)})
        w->setVisible(w->isHidden());
    FormResize();
}

void TForm1::showfullClick()
{
    FullScreen = !FullScreen;
    ToolButton(QStringLiteral("showfull"))->setChecked(FullScreen);
    if (FullScreen) {
        normalBounds_ = geometry();
        normalState_ = windowState();
        // The client area takes the whole screen. The window manager is
        // told too, so it keeps its panels and the frame out of the way;
        // without one the geometry alone does it.
        const QRect screenArea = screen() ? screen()->geometry() : geometry();
        setWindowState((windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized)) | Qt::WindowFullScreen);
        setGeometry(screenArea);
    } else {
        setWindowState(normalState_ & ~Qt::WindowFullScreen);
        if (!(normalState_ & Qt::WindowMaximized))
            setGeometry(normalBounds_);
    }
}

void TForm1::btnaboutClick()
{
    AboutPanel()->Centre();
    pAbout->show();
    pAbout->raise();
}

// --- Options menu ----------------------------------------------------------------------------

QString TForm1::ChooseFile(const QString& objectName, const QString& folder, const QString& filter)
{
    QFileDialog dialog(this);
    dialog.setObjectName(objectName);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(folder);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void TForm1::N7Click()
{
    const QString file = ChooseFile(QStringLiteral("skindlg"), AppDir + QStringLiteral("skins/"),
                                    QStringLiteral("ASZ (*.asz)"));
    if (!file.isEmpty())
        ChangeSkin(file);
}

void TForm1::ChangeSkin(const QString& fileName)
{
    const QFileInfo info(fileName);
    skinManager->SetSkinDirectory(info.absolutePath());
    // The skin's name is the file name without its ".asz".
    skinManager->SetSkinName(info.fileName().chopped(std::min<qsizetype>(4, info.fileName().size())));
}

void TForm1::N8Click()
{
    const QString file = ChooseFile(QStringLiteral("langdlg"), AppDir + QStringLiteral("Languages/"),
                                    QStringLiteral("LNG (*.lng)"));
    if (!file.isEmpty())
        ChangeLanguage(file);
}

void TForm1::ChangeLanguage(const QString& fileName)
{
    if (options_.localizer && options_.localizer->LoadLanguage(fileName))
        options_.localizer->TranslateAllForms();
    LanguageFile = fileName;
}

void TForm1::N9Click()
{
    if (fpluginst_->exec() != QDialog::Accepted)
        return;
    // The unchecked plugins are written as the disabled list, then the
    // list and the viewer's plugins are made again from it, so the choice
    // counts at once.
    std::string text;
    for (const QString& name : fpluginst_->UncheckedNames())
        text += name.toUtf8().toStdString() + "\r\n";
    const QString path = AppDir + QStringLiteral("plugins/disabled.ini");
    QDir().mkpath(AppDir + QStringLiteral("plugins"));
    std::string error;
    if (!WriteFileAtomically(path.toUtf8().toStdString(), text, error)) {
        const QString message = QStringLiteral("Cannot write %1: %2").arg(path, QString::fromStdString(error));
        if (options_.reportError)
            options_.reportError(message);
        else
            QMessageBox::warning(this, QStringLiteral("Error"), message);
        return;
    }
    LoadPlugins();
}

// --- Keys ---------------------------------------------------------------------------------------

bool TForm1::FormKeyPress(QChar key)
{
    switch (key.unicode()) {
    case 'O':
    case 'o':
        ToolButton(QStringLiteral("btnopen"))->click();
        return true;
    case 'S':
    case 's':
        ToolButton(QStringLiteral("copybtn"))->click();
        return true;
    case 'M':
    case 'm':
        btnshowhide->click();
        return true;
    case '+':
        viewer->ZoomStep(true);
        return true;
    case '-':
        viewer->ZoomStep(false);
        return true;
    case 'F':
    case 'f':
        ToolButton(QStringLiteral("showfull"))->click();
        return true;
    case 6:  // Ctrl+F
        DoFind(true);
        return true;
    case 19:  // Ctrl+S, which the find-next button's hint offers
        DoFind(false);
        return true;
    case 'E':
    case 'e': {
        const QPoint at = QCursor::pos();
        viewer->ShowEncodingMenu(at.x(), at.y());
        return true;
    }
    case '`':
    case '~':
        ToolButton(QStringLiteral("btnpanels"))->click();
        FormResize();
        return true;
    default:
        return false;
    }
}

// --- Media full screen and the cursor ------------------------------------------------------------

void TForm1::ToggleMediaFullScreen()
{
    TSpeedButton* showfull = ToolButton(QStringLiteral("showfull"));
    TSpeedButton* panels = ToolButton(QStringLiteral("btnpanels"));
    if (!MediaFullScreen) {
        mediaFullWasFullScreen_ = FullScreen;
        mediaFullListWasVisible_ = !listview->isHidden();
        if (!FullScreen)
            showfull->click();
        if (!listview->isHidden())
            panels->click();
        if (!viewer->MediaFull())
            viewer->SetMediaFull(true);
        MediaFullScreen = true;
    } else {
        if (FullScreen != mediaFullWasFullScreen_)
            showfull->click();
        if (listview->isHidden() == mediaFullListWasVisible_)
            panels->click();
        if (viewer->MediaFull())
            viewer->SetMediaFull(false);
        MediaFullScreen = false;
    }
}

void TForm1::SetCursorShown(bool shown)
{
    if (shown == CursorShown)
        return;
    CursorShown = shown;
    if (shown)
        QGuiApplication::restoreOverrideCursor();
    else
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}
