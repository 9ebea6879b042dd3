// The main window's ways of reaching a file: openfile and openlite, the
// command line, the open button, the file list, drops, previous/next over
// the folder, shortcuts and symbolic links, the external media path, the
// view-mode menu, copying the file and opening it with another program,
// and what follows every load (viewerFileLoad).
#include "app/gui/Form1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCollator>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QProcess>
#include <algorithm>

#include "app/core/FileCopy.h"
#include "app/core/FolderStep.h"
#include "app/core/ShellLink.h"
#include "app/gui/AppMessageHook.h"
#include "app/gui/DropFiles.h"
#include "app/gui/OpenWithDialog.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SpeedButton.h"
#include "i18n/core/MessageStrings.h"
#include "text/gui/VuMessageBox.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

constexpr int kRowHeight = 22;
constexpr int kPanelWidth = 110;
constexpr int kImagePanelWidth = 132;

std::string Utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

QString FromUtf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString FromU16(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

// Fills the "%s" places of a message text in order. Each search starts
// after the value put in before, so a file name holding "%s" stays whole.
QString Format(QString text, const QStringList& values)
{
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

bool IsMediaName(const QString& name)
{
    return ExtensionInList(Utf8(name), ExtMediaList);
}

bool IsShortcutName(const QString& name)
{
    return QFileInfo(name).suffix().toUpper() == QLatin1String("LNK");
}

// An absolute, clean name; links are not resolved.
QString AbsoluteName(const QString& name)
{
    return name.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(name).absoluteFilePath());
}

// The folder of `name` with a trailing "/".
QString FolderOf(const QString& name)
{
    QString folder = QFileInfo(name).absolutePath();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool IsExistingFile(const QString& name)
{
    const QFileInfo info(name);
    return info.exists() && !info.isDir();
}

// What a shortcut or a symbolic link points to; empty when `name` is
// neither or its target cannot be told.
QString LinkTarget(const QString& name)
{
    const QFileInfo info(name);
    if (info.isSymbolicLink())
        return info.canonicalFilePath();
    if (IsShortcutName(name))
        return FromUtf8(LnkTarget(Utf8(name)));
    return {};
}

// The regular files of `folder` (hidden ones included, folders and
// devices left out), sorted as the user's language sorts, letter case
// aside; names equal but for case keep a fixed order.
QStringList FolderFilesOf(const QString& folder)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    QStringList files;
    for (const QFileInfo& e : entries)
        files << folder + e.fileName();
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(files.begin(), files.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return files;
}

}  // namespace

// --- Wiring -------------------------------------------------------------------------------------

void TForm1::CreateOpenCommands()
{
    CreateViewMenu();
    new TAppMessageHook(this);
    auto* drop = new TDropFiles(this);
    drop->setObjectName(QStringLiteral("dropfiles"));
    connect(drop, &TDropFiles::DropFiles, this, &TForm1::dropfilesDropFiles);

    connect(btnprew, &QToolButton::clicked, this, &TForm1::btnprewClick);
    connect(btnnext, &QToolButton::clicked, this, &TForm1::btnnextClick);
    connect(ToolButton(QStringLiteral("btnopen")), &QToolButton::clicked, this, &TForm1::btnopenClick);
    connect(ToolButton(QStringLiteral("copybtn")), &QToolButton::clicked, this, &TForm1::copybtnClick);
    connect(ToolButton(QStringLiteral("btnview")), &QToolButton::clicked, this,
            [this] { viewpopup->popup(QCursor::pos()); });
    connect(listview, &TShellListView::FileClicked, this, &TForm1::listviewClick);
    connect(viewer, &TVuViewer::OnFileLoad, this, &TForm1::viewerFileLoad);
}

void TForm1::CreateViewMenu()
{
    viewpopup = new QMenu(this);
    viewpopup->setObjectName(QStringLiteral("viewpopup"));
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    auto item = [&](const char* name, const char* caption, Qt::Key key) {
        QAction* a = viewpopup->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        group->addAction(a);
        if (key != Qt::Key_unknown) {
            a->setShortcut(QKeySequence(Qt::CTRL | key));
            // The window holds the items too, so their keys work while the
            // menu is closed.
            addAction(a);
        }
        return a;
    };
    N4 = item("N4", "Текст", Qt::Key_T);
    BIN1 = item("BIN1", "BIN", Qt::Key_B);
    HEX1 = item("HEX1", "HEX", Qt::Key_H);
    N5 = item("N5", "Мультимедиа", Qt::Key_M);
    N6 = item("N6", "Интернет-документ", Qt::Key_I);
    Unicode1 = item("Unicode1", "Unicode", Qt::Key_U);
    Plugin1 = item("Plugin1", "Plugin", Qt::Key_P);
    RTF1 = item("RTF1", "RTF", Qt::Key_R);
    N12 = item("N12", "Другой программой", Qt::Key_unknown);
    N4->setChecked(true);

    connect(N4, &QAction::triggered, this, [this] { SetViewMode(vmodeText, 2 * kRowHeight); });
    connect(BIN1, &QAction::triggered, this, [this] { SetViewMode(vmodeBinary, 0); });
    connect(HEX1, &QAction::triggered, this, [this] { SetViewMode(vmodeHex, 2 * kRowHeight); });
    connect(N5, &QAction::triggered, this, [this] { SetViewMode(vmodeMedia, kRowHeight); });
    connect(N6, &QAction::triggered, this, [this] { SetViewMode(vmodeWeb, kRowHeight); });
    connect(Unicode1, &QAction::triggered, this, [this] { SetViewMode(vmodeUnicode, 0); });
    connect(Plugin1, &QAction::triggered, this, [this] { SetViewMode(vmodeWLX, 0); });
    connect(RTF1, &QAction::triggered, this, [this] { SetViewMode(vmodeRTF, 0); });
    connect(N12, &QAction::triggered, this, &TForm1::N12Click);
}

QAction* TForm1::ViewModeItem(TVuViewerMode mode) const
{
    switch (mode) {
    case vmodeText: return N4;
    case vmodeBinary: return BIN1;
    case vmodeHex: return HEX1;
    case vmodeUnicode: return Unicode1;
    case vmodeRTF: return RTF1;
    case vmodeMedia: return N5;
    case vmodeWeb: return N6;
    case vmodeWLX: return Plugin1;
    }
    return N4;
}

void TForm1::SetViewMode(TVuViewerMode mode, int leftPanelHeight)
{
    // The viewer reloads the file in the mode; its load event lays out
    // the toolbar for it.
    viewer->SetMode(mode);
    if (leftPanelHeight > 0) {
        leftpanel->resize(leftpanel->width(), leftPanelHeight);
        FormResize();
    }
    ViewModeItem(mode)->setChecked(true);
}

void TForm1::Beep()
{
    if (options_.beep)
        options_.beep();
    else
        QApplication::beep();
}

// --- Opening --------------------------------------------------------------------------------------

void TForm1::openfile(const QString& fileName, bool selectFolder, bool load)
{
    const QString name = AbsoluteName(fileName);
    CurrentDir = FolderOf(name);
    CurrentFile = name;
    ListedFile = name;
    listview->SetCurrentFile(name);
    if (selectFolder)
        ShowFolder(QDir::cleanPath(CurrentDir));

    if (IsMediaName(name)) {
        switch (mediamode) {
        case 0:
            viewer->SetMediaMode(vmmodeWMP64);
            viewer->Open(name);
            break;
        case 1:
            viewer->SetMediaMode(vmmodeWMP9);
            viewer->Open(name);
            break;
        case 2:
            StartExternalMedia(name);
            return;
        default:
            break;
        }
    }

    CurrentFile = name;
    if (LNKOpen) {
        const QString target = LinkTarget(name);
        if (!target.isEmpty() && IsExistingFile(target))
            CurrentFile = target;
    }
    if (load)
        viewer->Open(CurrentFile);
}

void TForm1::openlite(const QString& name)
{
    if (IsMediaName(name)) {
        switch (mediamode) {
        case 0:
            viewer->SetMediaMode(vmmodeWMP64);
            break;
        case 1:
            viewer->SetMediaMode(vmmodeWMP9);
            break;
        case 2:
            StartExternalMedia(name);
            return;
        default:
            break;
        }
    }
    viewer->Open(name);
}

void TForm1::StartExternalMedia(const QString& name)
{
    viewer->Open(QString());
    leftpanel->resize(kPanelWidth, kRowHeight);
    rightpanel->resize(kPanelWidth, kRowHeight);
    FormResize();
    ToolButton(QStringLiteral("btnview"))->setEnabled(false);
    ToolButton(QStringLiteral("btnprint"))->setEnabled(false);

    // The panel lies over the bottom of the viewer.
    mediapanel1->setGeometry(viewer->x(), viewer->height() - mediapanel1->height(), viewer->width(),
                             mediapanel1->height());
    mediapanel1->show();
    mediapanel1->raise();
    media_->loadMediaFile(CurrentFile, viewer);
    // Playback starts from the beginning; the panel's bar, volume gauge and
    // play button take it from here.
    media_->setMediaStreamPos(0);
    setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" -- ") + name);
}

void TForm1::FreeStreamOfMediaFile()
{
    if (IsMediaName(CurrentFile) && media_->MediaStreamAvailable() && mediamode == 2) {
        mediapanel1->hide();
        media_->freeMediaStream();
    }
}

// --- Stepping through the folder -----------------------------------------------------------------

void TForm1::btnprewClick()
{
    Step(false);
}

void TForm1::btnnextClick()
{
    Step(true);
}

void TForm1::Step(bool forward)
{
    if (CurrentDir.isEmpty())
        return;
    FreeStreamOfMediaFile();

    // Rebuilt on every step, so files added or removed meanwhile count.
    FolderFiles = FolderFilesOf(CurrentDir);
    std::vector<std::string> files;
    files.reserve(size_t(FolderFiles.size()));
    for (const QString& f : FolderFiles)
        files.push_back(Utf8(f));
    const FolderStepResult step = StepThroughFolder(files, Utf8(ListedFile), forward, WrapArmed);
    if (step.beep)
        Beep();
    if (step.index < 0)
        return;

    const QString entry = FolderFiles[step.index];
    ListedFile = entry;
    listview->SetCurrentFile(entry);
    CurrentFile = entry;
    if (LNKOpen) {
        const QString target = LinkTarget(entry);
        if (!target.isEmpty() && IsExistingFile(target)) {
            CurrentFile = target;  // the file actually shown
            openlite(target);
            return;
        }
    }
    openlite(entry);
}

// --- The open button, the list, drops ----------------------------------------------------------------

void TForm1::btnopenClick()
{
    QFileDialog od(this);
    od.setObjectName(QStringLiteral("od"));
    od.setFileMode(QFileDialog::ExistingFile);
    od.setDirectory(CurrentDir.isEmpty() ? QDir::homePath() : CurrentDir);
    if (od.exec() != QDialog::Accepted || od.selectedFiles().isEmpty())
        return;
    openfile(od.selectedFiles().first(), true, true);
}

void TForm1::listviewClick(const QString& path)
{
    FreeStreamOfMediaFile();
    if (!path.isEmpty())
        openfile(path, false, true);
}

void TForm1::dropfilesDropFiles(const QStringList& files)
{
    raise();
    activateWindow();
    if (!files.isEmpty())
        openfile(files.first(), true, true);
}

// --- Copying, other programs ---------------------------------------------------------------------------

void TForm1::copybtnClick()
{
    if (CurrentFile.isEmpty())
        return;
    copydlg->setDirectory(QFileInfo(CurrentFile).absolutePath());
    copydlg->selectFile(QFileInfo(CurrentFile).fileName());
    if (copydlg->exec() != QDialog::Accepted || copydlg->selectedFiles().isEmpty())
        return;
    const QString target = copydlg->selectedFiles().first();
    std::string error;
    if (!CopyFileReplacing(Utf8(CurrentFile), Utf8(target), error))
        ShowMessageBox(Format(FromU16(LoadResString(rsCannotCopyFile)), {target, FromUtf8(error)}),
                       FromU16(LoadResString(rsErrorCaption)), mbIconError, this);
}

void TForm1::N12Click()
{
    const QString file = viewer->FileName();
    if (file.isEmpty())
        return;
    TOpenWithDialog chooser(file, this);
    if (options_.localizer)
        options_.localizer->TranslateComponent(&chooser);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const QStringList command = chooser.Command();
    if (command.isEmpty())
        return;
    const bool started = options_.startProgram ? options_.startProgram(command.first(), command.mid(1))
                                               : QProcess::startDetached(command.first(), command.mid(1));
    if (!started) {
        ShowMessageBox(Format(FromU16(LoadResString(rsCannotStartProgram)), {command.first()}),
                       FromU16(LoadResString(rsErrorCaption)), mbIconError, this);
        return;
    }
    N12->setChecked(true);
}

// --- After every load ------------------------------------------------------------------------------------

void TForm1::viewerFileLoad()
{
    ViewModeItem(viewer->Mode())->setChecked(true);
    if (media_->MediaStreamAvailable())
        media_->freeMediaStream();
    if (IsMediaName(CurrentFile) && mediamode == 2) {
        // A media file reached through a shortcut plays in the library,
        // not in the viewer.
        viewer->Open(QString());
        mediapanel1->hide();
        media_->freeMediaStream();
    }
    ToolButton(QStringLiteral("btnprint"))->setEnabled(true);
    ToolButton(QStringLiteral("btnview"))->setEnabled(true);

    QString title = QString::fromUtf8(kCaption) + QStringLiteral(" -- ") + ListedFile;
    if (viewer->Mode() == vmodeWLX)
        title += QStringLiteral(" [") + viewer->PluginName() + QStringLiteral("]");
    setWindowTitle(title);

    const TVuViewerMode mode = viewer->Mode();
    LayOutToolbar(viewer->IsImage(), mode == vmodeText || mode == vmodeBinary || mode == vmodeHex);
}

void TForm1::LayOutToolbar(bool imageRow, bool textRow)
{
    // The second rows: image buttons on the right, find and text buttons
    // on the left.
    if (imageRow) {
        rightpanel->resize(kImagePanelWidth, 2 * kRowHeight);
        ToolButton(QStringLiteral("btnsave"))->setEnabled(false);
    } else {
        rightpanel->resize(kPanelWidth, kRowHeight);
    }
    FormResize();
    leftpanel->resize(leftpanel->width(), textRow ? 2 * kRowHeight : kRowHeight);
    FormResize();
}
