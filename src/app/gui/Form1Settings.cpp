// The main window's creation and close: conf.ini read into the window,
// the viewer and the skin manager at start, written back at close; the
// plugins folder listed into the plugin manager and the viewer.
#include "app/gui/Form1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTreeView>

#include <cstdio>

#include "app/core/AtomicFile.h"
#include "app/gui/Fpluginst.h"
#include "app/gui/ShellListView.h"
#include "app/gui/SkinManager.h"
#include "app/gui/SplitterBar.h"
#include "viewer/core/VuExtLists.h"
#include "viewer/gui/VuViewer.h"

namespace {

std::string Utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

QString FromUtf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Panels keep a fixed width; that is their width even while hidden.
int PanelWidth(const QWidget* w)
{
    return w->minimumWidth();
}

}  // namespace

void TForm1::FormCreate()
{
    // (The application message hook is installed with the components.)
    LocalizerAutoTranslate();

    const std::string appDir = Utf8(AppDir);
    bool readable = true;
    const IniDocument ini = IniDocument::Load(Utf8(ConfFile()), &readable);
    if (!readable)
        std::fprintf(stderr, "peekwell: %s cannot be read; starting with the defaults\n", qPrintable(ConfFile()));

    // Rows whose default is "the current value" start from the viewer.
    AppSettings s = DefaultAppSettings(appDir);
    s.ExtText = ExtTextList;
    s.ExtImages = ExtImagesList;
    s.ExtMedia = ExtMediaList;
    s.ExtWeb = ExtWebList;
    s.ExtRtf = ExtRtfList;
    s.TextColor = static_cast<int32_t>(viewer->TextColor());
    s.TextColorHex = static_cast<int32_t>(viewer->TextColorHex());
    s.TextColorHex2 = static_cast<int32_t>(viewer->TextColorHex2());
    s.TextColorHexBack = static_cast<int32_t>(viewer->TextColorHexBack());
    s.TextColorGutter = static_cast<int32_t>(viewer->TextColorGutter());
    ReadAppSettings(ini, appDir, s);
    ApplySettings(s);

    LoadPlugins();
    FolderFiles.clear();
    viewer->SetPluginsParent(viewer, QString());
    viewer->SetPluginsFirst(true);

    // The list starts at the desktop folder (the home folder without one).
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!QFileInfo(start).isDir())
        start = QDir::homePath();
    ShowFolder(start);
}

void TForm1::ApplySettings(const AppSettings& s)
{
    SavedBounds = QRect(s.Left, s.Top, s.Width, s.Height);
    move(s.Left, s.Top);
    resize(s.Width, s.Height);
    setWindowState(s.Maximized ? Qt::WindowMaximized : Qt::WindowNoState);

    sSplitter2->setVisible(s.Splitter2Visible);
    listview->setFixedWidth(std::max(0, s.ListWidth));
    listview->setVisible(s.ListVisible);
    sSplitter1->setVisible(s.Splitter1Visible);
    treeview->setFixedWidth(std::max(0, s.TreeWidth));
    treeview->setVisible(s.TreeVisible);

    ExtTextList = s.ExtText;
    ExtImagesList = s.ExtImages;
    ExtMediaList = s.ExtMedia;
    ExtWebList = s.ExtWeb;
    ExtRtfList = s.ExtRtf;

    skinManager->SetSkinDirectory(FromUtf8(s.SkinDir));
    skinManager->SetSkinName(FromUtf8(s.SkinName));
    skinManager->SetActive(s.UseSkin);
    automenu = s.AutoMenu;
    viewer->SetMediaVolume(s.MediaVolume);
    viewer->SetTextWrap(s.WordWrap);
    N10->setChecked(skinManager->Active());

    LanguageFile = FromUtf8(s.LanguageFile);
    LocalizerLoadLanguage();

    QFont font = viewer->TextFont();
    font.setFamily(FromUtf8(s.TextFont));
    if (s.TextFontSize > 0)
        font.setPointSize(s.TextFontSize);
    font.setBold(s.TextFontBold);
    font.setItalic(s.TextFontItalic);
    font.setUnderline(s.TextFontUnderline);
    viewer->SetTextFont(font);
    viewer->SetTextFontColor(static_cast<TColor>(s.TextFontColor));
    viewer->SetTextColor(static_cast<TColor>(s.TextColor));
    viewer->SetTextColorHex(static_cast<TColor>(s.TextColorHex));
    viewer->SetTextColorHex2(static_cast<TColor>(s.TextColorHex2));
    viewer->SetTextColorHexBack(static_cast<TColor>(s.TextColorHexBack));
    viewer->SetTextColorGutter(static_cast<TColor>(s.TextColorGutter));
    mousefileexplorer = s.MouseFileExplorer;

    ViewMode = s.ViewMode;
    if (ViewMode >= 0 && ViewMode <= 3) {
        listview->SetViewStyle(ViewMode);
        listview->SetThumbnails(false);
    } else if (ViewMode == 4) {
        listview->SetThumbnails(true);
    }
    listview->SetThumbnailSize(QSize(s.ThumbW, s.ThumbH));
    LNKOpen = s.LNKOpen;
    mediamode = s.MediaMode;
    media_->setWaveOutVolume(s.WaveOutVolume);
    lmbpause = s.LmbPause;
}

AppSettings TForm1::CollectSettings() const
{
    AppSettings s = DefaultAppSettings(Utf8(AppDir));
    s.Left = SavedBounds.left();
    s.Top = SavedBounds.top();
    s.Width = SavedBounds.width();
    s.Height = SavedBounds.height();
    s.Maximized = isMaximized();
    s.TreeWidth = PanelWidth(treeview);
    s.TreeVisible = !treeview->isHidden();
    s.ListWidth = PanelWidth(listview);
    s.ListVisible = !listview->isHidden();
    s.Splitter1Visible = !sSplitter1->isHidden();
    s.Splitter2Visible = !sSplitter2->isHidden();
    s.UseSkin = skinManager->Active();
    s.SkinName = Utf8(skinManager->SkinName());
    s.SkinDir = Utf8(skinManager->SkinDirectory());
    s.LanguageFile = Utf8(LanguageFile);
    s.AutoMenu = automenu;
    s.ExtText = ExtTextList;
    s.ExtImages = ExtImagesList;
    s.ExtMedia = ExtMediaList;
    s.ExtWeb = ExtWebList;
    s.ExtRtf = ExtRtfList;
    s.MediaVolume = viewer->MediaVolume();
    s.WordWrap = viewer->TextWrap();
    const QFont font = viewer->TextFont();
    s.TextFont = Utf8(font.family());
    s.TextFontSize = font.pointSize() > 0 ? font.pointSize() : qRound(font.pixelSize() * 72.0 / 96.0);
    s.TextFontColor = static_cast<int32_t>(viewer->TextFontColor());
    s.TextFontBold = font.bold();
    s.TextFontItalic = font.italic();
    s.TextFontUnderline = font.underline();
    s.TextColor = static_cast<int32_t>(viewer->TextColor());
    s.TextColorHex = static_cast<int32_t>(viewer->TextColorHex());
    s.TextColorHex2 = static_cast<int32_t>(viewer->TextColorHex2());
    s.TextColorHexBack = static_cast<int32_t>(viewer->TextColorHexBack());
    s.TextColorGutter = static_cast<int32_t>(viewer->TextColorGutter());
    s.MouseFileExplorer = mousefileexplorer;
    s.ViewMode = ViewMode;
    s.ThumbW = listview->ThumbnailSize().width();
    s.ThumbH = listview->ThumbnailSize().height();
    s.LNKOpen = LNKOpen;
    s.MediaMode = mediamode;
    s.WaveOutVolume = media_->getWaveOutVolume();
    s.LmbPause = lmbpause;
    return s;
}

bool TForm1::SaveSettings()
{
    lastSaveError_.clear();
    const std::string path = Utf8(ConfFile());
    bool readable = true;
    IniDocument ini = IniDocument::Load(path, &readable);
    std::string error;
    if (!readable) {
        // Replacing a file that cannot be read would throw away whatever
        // it holds that is not ours.
        error = "the existing file cannot be read";
    } else {
        WriteAppSettings(ini, Utf8(AppDir), CollectSettings());
        if (WriteFileAtomically(path, ini.Text(), error))
            return true;
    }
    lastSaveError_ = QStringLiteral("Cannot save the settings to %1: %2").arg(ConfFile(), FromUtf8(error));
    return false;
}

void TForm1::FormClose()
{
    media_->freeMediaStream();
    if (settingsSaved_)
        return;
    settingsSaved_ = true;  // one write, and one report of its failure, per close
    if (SaveSettings())
        return;
    std::fprintf(stderr, "peekwell: %s\n", qPrintable(lastSaveError_));
    if (closingForSignal_)
        return;
    if (options_.reportError)
        options_.reportError(lastSaveError_);
    else
        QMessageBox::warning(this, QStringLiteral("Error"), lastSaveError_);
}

void TForm1::LoadPlugins()
{
    const std::string pluginsDir = Utf8(AppDir) + "plugins/";
    const std::vector<PluginItem> items = ListPlugins(pluginsDir);
    fpluginst_->SetPlugins(items);
    viewer->ClearPlugins();
    for (const PluginItem& item : items) {
        if (!item.enabled)
            continue;
        const std::string path = pluginsDir + item.name;
        // Until the plugin host reads detect strings, every plugin has an
        // empty one (it then claims no file by itself).
        const std::string detect = options_.detectStringReader ? options_.detectStringReader(path) : std::string();
        viewer->AddPlugin(FromUtf8(path), FromUtf8(detect));
    }
}
