// TFrmOptions: the options dialog. Two pages in one modal window: the main
// settings (the five extension lists, the file managers' entry, the video
// player, mouse and shortcut behaviour, the file list's look) and the text
// view's font and colours. The dialog only shows and collects values; the
// main window fills it and applies what it holds when it closes with OK
// (Form1Options.cpp).
//
//   +--------------------------------------------+  422 x 563 client
//   | [Главные настройки] [Шрифт]                |
//   | +----------------------------------------+ |
//   | |  setuppages (422 x 525)                | |
//   | +----------------------------------------+ |
//   |                  [Применить] [ Отмена ]    |  buttons at 258,530 / 339,530
//   +--------------------------------------------+
#pragma once

#include <QDialog>
#include <QString>

#include "viewer/core/VuColor.h"

class QCheckBox;
class QFontComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TColorButton;
class TRadioGroup;
class TVuViewer;

class TFrmOptions : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    // Builds the dialog with its designed (Russian) texts and fills the
    // font page from `viewer`: its text font, the font's colour and the
    // five colours of the text view. `parent` is the window it is centred
    // on; it does not own the dialog's values.
    explicit TFrmOptions(const TVuViewer& viewer, QWidget* parent = nullptr);
    ~TFrmOptions() override;

    // --- Components, by their names ----------------------------------------
    QTabWidget* setuppages = nullptr;
    QWidget* TSMain = nullptr;
    QWidget* TSFonts = nullptr;
    QPushButton* optaplly = nullptr;   // closes with OK
    QPushButton* optcancel = nullptr;  // closes with Cancel

    QGroupBox* grp_ext = nullptr;
    QLabel* lbl_txt = nullptr;
    QLineEdit* edtTXT = nullptr;
    QLabel* lbl_img = nullptr;
    QLineEdit* edt_img = nullptr;
    QLabel* lbl_media = nullptr;
    QLineEdit* edtmedia = nullptr;
    QLabel* lbl_internet = nullptr;
    QLineEdit* edtinternet = nullptr;
    QLabel* lbl_rtf = nullptr;
    QLineEdit* edtrtf = nullptr;
    QCheckBox* integr = nullptr;
    TRadioGroup* MViewer = nullptr;
    QCheckBox* cbpause = nullptr;
    QCheckBox* optuseold = nullptr;
    QCheckBox* opnfileexpl = nullptr;
    QCheckBox* lnkopen = nullptr;
    QGroupBox* vmGrBox = nullptr;
    QRadioButton* vmicons = nullptr;
    QRadioButton* vmSmallIcons = nullptr;
    QRadioButton* vmlist = nullptr;
    QRadioButton* vmrepport = nullptr;
    QRadioButton* vmthumbs = nullptr;
    QLineEdit* vmw = nullptr;
    QLabel* vmx = nullptr;
    QLineEdit* vmh = nullptr;

    QLabel* fntFont = nullptr;
    QFontComboBox* fntfontselect = nullptr;
    QSpinBox* fntsize = nullptr;
    TColorButton* csmain = nullptr;
    QCheckBox* cbB = nullptr;
    QCheckBox* cbI = nullptr;
    QCheckBox* cbU = nullptr;
    QLabel* fntColor1 = nullptr;
    TColorButton* cs1 = nullptr;  // TextColor
    QLabel* fntColor2 = nullptr;
    TColorButton* cs2 = nullptr;  // TextColorHex
    QLabel* fntColor3 = nullptr;
    TColorButton* cs3 = nullptr;  // TextColorHex2
    QLabel* fntColor4 = nullptr;
    TColorButton* cs4 = nullptr;  // TextColorHexBack
    QLabel* fntColor5 = nullptr;
    TColorButton* cs5 = nullptr;  // TextColorGutter

    // The file list look OK applies: 0 icons, 1 small icons, 2 list,
    // 3 report, 4 thumbnails; the view buttons set it, the main window
    // fills it.
    int PendingView = 0;

    // Selects the installed font named exactly `name` (letter case counts,
    // the first match wins). With no such font nothing is selected and the
    // name stays shown, so that OK keeps it (SelectedFontName).
    void SelectFont(const QString& name);
    // The font name OK applies: the installed font named as the box shows,
    // or `current` when the box names none of them.
    QString SelectedFontName(const QString& current) const;

    // Shows the thumbnail size edits (vmw, vmx, vmh) or hides them.
    void ShowThumbnailSize(bool on);

    // The MViewer handler: the pause box is seen only while the built-in
    // player (item 2) is chosen.
    void MViewerClick();

private:
    void CreateMainPage();
    void CreateFontPage();
    void FormCreate(const TVuViewer& viewer);
};
