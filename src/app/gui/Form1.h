// TForm1: the main window. From left to right it holds the folder tree,
// a splitter, the file list, a splitter and the viewer; a floating toolbar
// row is kept centred at the top; the media and About panels are hidden
// at start. It reads every setting from conf.ini when created and writes
// them back when closed.
//
//   +-----------+-+-----------+-+--------------------------------------+
//   | treeview  |s| listview  |s|      [leftpanel][<][>][rightpanel]   |
//   | (folders) |S| (files)   |S|                                      |
//   |           |p|           |p|              viewer                  |
//   |           |2|           |1|                                      |
//   +-----------+-+-----------+-+--------------------------------------+
#pragma once

#include <QElapsedTimer>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/core/AppSettings.h"
#include "app/core/PluginList.h"
#include "app/gui/AppSeams.h"
#include "search/core/VuStreamSearch.h"
#include "viewer/core/VuViewerModes.h"

class QFileDialog;
class QFileSystemModel;
class QFrame;
class QMenu;
class QAction;
class QSystemTrayIcon;
class QTreeView;
class TFormProgress;
class TFpluginst;
class TFrmOptions;
class TShellListView;
class TSkinManager;
class TSpeedButton;
class TSplitterBar;
class TVuViewer;
class TAboutPanel;
class TScreenSaverInhibitor;

// What the main window is created with. Everything has a working default:
// the executable's folder, the command line, no localizer, the stand-in
// media library, an empty detect string for every plugin.
struct TForm1Options {
    QString appDir;          // program folder with trailing "/"; default: the executable's
    QStringList parameters;  // command-line parameters without the program name
    bool useCommandLine = true;  // take `parameters` from the application when empty
    TAppLocalizer* localizer = nullptr;  // not owned
    TMediaLibrary* media = nullptr;      // not owned
    DetectStringReader detectStringReader;
    // Shows an error of the window (a failed settings write); default: a
    // message box captioned "Error".
    std::function<void(const QString& message)> reportError;
    // The default beep (stepping past an end); default: QApplication::beep.
    std::function<void()> beep;
    // Starts a program for "open with another program"; true when it
    // started. Default: a detached process.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;
};

class TForm1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    static constexpr const char* kCaption = "Peekwell 1.1.6 (Tarnwick)";

    explicit TForm1(TForm1Options options = {});
    ~TForm1() override;

    // --- State shared by the window's commands -----------------------------
    QString AppDir;        // with trailing "/"
    QString CurrentDir;
    QString CurrentFile;
    QString ListedFile;
    QString LanguageFile;
    QStringList FolderFiles;
    QRect SavedBounds;     // last normal bounds: frame position, client size
    bool automenu = false;
    bool mousefileexplorer = true;
    bool LNKOpen = true;
    int mediamode = 0;
    bool lmbpause = true;
    int ViewMode = 0;
    bool StartupFileOpened = false;
    bool FullScreen = false;
    bool ToolbarShown = true;
    bool ToolbarIdle = true;
    bool MediaFullScreen = false;
    bool WrapArmed = false;  // a step hit an end and beeped; the next one wraps

    // --- Components, by their names ----------------------------------------
    QTreeView* treeview = nullptr;
    TSplitterBar* sSplitter2 = nullptr;
    TShellListView* listview = nullptr;
    TSplitterBar* sSplitter1 = nullptr;
    TVuViewer* viewer = nullptr;
    QFrame* mediapanel1 = nullptr;
    QFrame* pAbout = nullptr;
    QFrame* leftpanel = nullptr;
    QFrame* rightpanel = nullptr;
    TSpeedButton* btnprew = nullptr;
    TSpeedButton* btnnext = nullptr;
    TSpeedButton* btnshowhide = nullptr;
    QSystemTrayIcon* trayicon = nullptr;
    // The save dialog of the copy command: a component of the window, so a
    // language file can translate it ("copydlg.Filter").
    QFileDialog* copydlg = nullptr;
    QMenu* options = nullptr;
    QAction* N10 = nullptr;  // skinned look (check item)
    QAction* N7 = nullptr;   // choose skin
    QAction* N8 = nullptr;   // change language
    QAction* N9 = nullptr;   // set up plugins
    QAction* N11 = nullptr;  // settings
    QAction* totray = nullptr;  // hide the window to the tray
    TSkinManager* skinManager = nullptr;
    // The view-mode menu (one radio group) and its items.
    QMenu* viewpopup = nullptr;
    QAction* N4 = nullptr;        // text
    QAction* BIN1 = nullptr;
    QAction* HEX1 = nullptr;
    QAction* N5 = nullptr;        // multimedia
    QAction* N6 = nullptr;        // web document
    QAction* Unicode1 = nullptr;
    QAction* Plugin1 = nullptr;
    QAction* RTF1 = nullptr;
    QAction* N12 = nullptr;       // with another program
    // Searches the viewed file for the find command (its own source, apart
    // from the text view's).
    std::unique_ptr<TVuStreamSearch> Search;

    // The plugin manager window (lives as long as this window).
    TFpluginst* Fpluginst() const { return fpluginst_.get(); }
    // A toolbar button by name (btnopen … btnsave), or null.
    TSpeedButton* ToolButton(const QString& name) const;

    // The settings as the window holds them now (what FormClose writes).
    AppSettings CollectSettings() const;
    // Where conf.ini lives.
    QString ConfFile() const { return AppDir + QStringLiteral("conf.ini"); }

    // Fills the plugin manager's check list from the plugins folder and
    // gives the viewer the enabled plugins with their detect strings.
    void LoadPlugins();

    // Hides the window to the tray (or minimizes it where the desktop has
    // no tray); a double click on the tray icon brings it back.
    void HideToTray();
    void RestoreFromTray();

    // --- Opening and stepping (Form1Open.cpp) ----------------------------------

    // Opens a file the user chose (command line, open dialog, drop: with
    // selectFolder; the file list: without). Records CurrentDir, CurrentFile
    // and ListedFile, selects the folder in the tree when asked, plays media
    // through the external library with mediamode 2, follows a shortcut or
    // symbolic link when LNKOpen, and with `load` opens the file in the
    // viewer (a name already loaded is not reloaded).
    void openfile(const QString& name, bool selectFolder, bool load);
    // Opens a file reached by stepping: the folder and the tree stay, and
    // shortcuts are not followed here.
    void openlite(const QString& name);
    void btnopenClick();
    void btnprewClick();
    void btnnextClick();
    // A click on the file `path` of the list.
    void listviewClick(const QString& path);
    // Files dropped on the window, in order; only the first is opened.
    void dropfilesDropFiles(const QStringList& files);
    void copybtnClick();
    // "With another program": the chooser of installed programs for the
    // viewed file.
    void N12Click();
    // The viewer's OnFileLoad: menu, title and toolbar follow the file.
    void viewerFileLoad();
    // The view-mode item of `mode`.
    QAction* ViewModeItem(TVuViewerMode mode) const;

    // The settings item N11: shows the options dialog filled from the
    // window's settings and applies it when it closes with OK.
    void N11Click();

    // Moves the toolbar row once: out of view when it is shown, back when
    // it is hidden (ToolbarShown tells which). Does nothing while a move
    // runs (ToolbarIdle false).
    void SlideToolbarOnce();

    // Closes the window as the user's close does, for a termination
    // signal: settings are written, and a write error is only logged (no
    // one may be there to answer a message box).
    void CloseForSignal();

    // The find command (Ctrl+F, btnfind) with the find dialog, or find
    // next (F3, btnfindnext) without it; see Form1Find.cpp.
    void DoFind(bool showDialog);
    // Search's progress handler: the progress window's Update answers
    // whether to go on.
    void SearchProgress(int64_t ACurrentPos, int64_t AMaximalPos, bool& AContinueSearching);

    // The message of the last failed settings write (empty when it worked).
    QString LastSaveError() const { return lastSaveError_; }

    // --- View commands (Form1Commands.cpp, Form1Toolbar.cpp) ---------------

    bool TimerBusy = false;     // the media timer's handler is running
    bool CursorShown = true;    // false while the cursor is hidden over idle video
    QPoint SampledCursorPos;    // where the media timer last saw the cursor (screen)

    // The filter menu of the image row (btnother) and its items.
    QMenu* filtermenu = nullptr;
    QAction* N13 = nullptr;  // shades of grey
    QAction* N14 = nullptr;  // Gaussian blur
    QAction* N15 = nullptr;  // pixelation
    QAction* N16 = nullptr;  // blocks
    QAction* N17 = nullptr;  // frost
    QAction* N18 = nullptr;  // posterization
    QAction* N19 = nullptr;  // noise
    QAction* N20 = nullptr;  // waves
    // The print menu (btnprint): print, print preview, printer set-up.
    QMenu* printmenu = nullptr;
    QAction* N1 = nullptr;
    QAction* N3 = nullptr;
    QAction* N2 = nullptr;

    // The external media library the window plays through.
    TMediaLibrary* Media() const { return media_; }
    // The About panel (pAbout as its own class).
    TAboutPanel* AboutPanel() const;

    // Shows or hides the folder tree, the file list and their splitters,
    // each inverted, and lays the window out again.
    void btnpanelsClick();
    // Enters or leaves full screen: the client area covers the screen, and
    // leaving puts back the bounds and state the window had.
    void showfullClick();
    // Shows the About panel centred over the window.
    void btnaboutClick();
    // Slides the toolbar row 46 pixels out of view (or back) in 23 steps,
    // letting events through after each; ignored while a slide runs.
    void btnshowhideClick();
    // The automatic toolbar: with the cursor at `clientPos` (window
    // coordinates), slides the row in over its zone and out elsewhere.
    void showhideM(const QPoint& clientPos);
    // Image command `command` of the image row or the filter menu on the
    // viewer; a BMP or JPEG file enables btnsave first.
    void ImageCommandClick(int command);
    // Choose skin, change language, set up plugins.
    void N7Click();
    void N8Click();
    void N9Click();
    // Makes the language file `fileName` the one in use: loaded, every
    // open form translated, and remembered in LanguageFile.
    void ChangeLanguage(const QString& fileName);
    // Makes the skin file `fileName` (*.asz) the one in use.
    void ChangeSkin(const QString& fileName);
    // The character keys the window previews, as characters (a letter with
    // Ctrl is its control character): O, S, M, +, -, F, E, `, ~, Ctrl+F
    // and Ctrl+S. Runs the key's command; true when it has one.
    bool FormKeyPress(QChar key);
    // Media full screen (a right double click on video): full screen, no
    // panels and the player's own full view; the second call puts back what
    // the first one changed.
    void ToggleMediaFullScreen();
    // Shows or hides the mouse cursor (hidden over idle video).
    void SetCursorShown(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateComponents();
    void CreateToolbar();
    void CreateOptionsMenu();
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void ApplySettings(const AppSettings& s);
    bool SaveSettings();
    void ApplyMaximumSize();
    bool KeepsBounds() const;
    void ShowFolder(const QString& folder);
    // Selects and shows pendingTreeFolder_ in the tree as far as the
    // folder model has read the way to it.
    void ScrollTreeToPending();
    void ApplyOptions(const TFrmOptions& dlg);

    // Where the localizer is called: AutoTranslate at creation, then the
    // language file once conf.ini has named it.
    void LocalizerAutoTranslate();
    void LocalizerLoadLanguage();

    // Opening (Form1Open.cpp).
    void CreateOpenCommands();
    void CreateViewMenu();
    void SetViewMode(TVuViewerMode mode, int leftPanelHeight);
    void Step(bool forward);
    void StartExternalMedia(const QString& name);
    void FreeStreamOfMediaFile();
    void LayOutToolbar(bool imageRow, bool textRow);
    void Beep();

    // Find (Form1Find.cpp).
    void CreateFindCommands();
    bool CanFindNext() const;
    QString SelectionForFind() const;
    QString NotFoundText() const;
    TFormProgress* findProgress_ = nullptr;  // while a find runs
    bool finding_ = false;

    // View commands (Form1Commands.cpp, Form1Toolbar.cpp).
    void CreateViewCommands();
    void CreateFilterMenu();
    void CreatePrintMenu();
    void ConnectToolbarButtons();
    QString ChooseFile(const QString& objectName, const QString& folder, const QString& filter);
    QRect normalBounds_;                // the window before full screen
    Qt::WindowStates normalState_;
    bool mediaFullWasFullScreen_ = false;   // remembered entering media full screen
    bool mediaFullListWasVisible_ = false;
    std::unique_ptr<TScreenSaverInhibitor> screenSaver_;

    TForm1Options options_;
    std::unique_ptr<TNoMediaLibrary> ownMedia_;
    TMediaLibrary* media_ = nullptr;
    std::unique_ptr<TFpluginst> fpluginst_;
    QFileSystemModel* folderModel_ = nullptr;
    // The folder ShowFolder asked the tree for: the model reads the folders
    // on the way in the background, so the tree follows each as it arrives,
    // until the user takes the tree over or a few seconds have passed.
    QString pendingTreeFolder_;
    QElapsedTimer pendingTreeSince_;
    bool shownOnce_ = false;
    bool closingForSignal_ = false;
    bool settingsSaved_ = false;
    QString lastSaveError_;
};
