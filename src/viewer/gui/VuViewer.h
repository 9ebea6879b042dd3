// TVuViewer: the one control the main window shows files in.
//
// It owns one sub-view per kind of content and shows exactly one of them:
// the text and binary view TVuBinHex for the four text modes, and, made on
// first need through the makers of VuSubViews.h, the rich text view, the
// image box, a media player, the web document view and the Lister plugin
// host. It opens files, runs the mode detection, loads the file into the
// sub-view of its mode, forwards its settings to the sub-views and reports
// loading and unloading through its events.
//
//   Open(name) ──> OnFileUnload ──> Unload ──> DetectMode ──> HideSubViews
//                                                   │
//            text view / rich text / image / player / web / plugin
//                                                   │
//                                              OnFileLoad
#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <string>

#include "search/core/VuStreamSearch.h"
#include "text/core/VuxCodepages.h"
#include "viewer/core/VuColor.h"
#include "viewer/core/VuDetect.h"
#include "viewer/core/VuViewerModes.h"
#include "viewer/gui/VuSubViews.h"

class QAction;
class QMenu;
class QPrinter;
class QTimer;
class TVuBinHex;

// The print and printer set-up dialogs the viewer runs. Tests replace them;
// each returns true when the user confirmed. `printer` is the one the
// viewer prints with; the print dialog's options and range are set on it
// before the call (QAbstractPrintDialog::PrintDialogOptions as an int).
struct TVuPrintDialogs {
    std::function<bool(QPrinter& printer, int options, QWidget* parent)> print;
    std::function<bool(QPrinter& printer, QWidget* parent)> pageSetup;
    // The print preview: shows the pages `paint` draws on the printer it
    // is handed (as often as the preview needs them).
    std::function<void(QPrinter& printer, const std::function<void(QPrinter&)>& paint, QWidget* parent)> preview;
};

class TVuViewer : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName)
    Q_PROPERTY(qint64 FileSize READ FileSize)
    Q_PROPERTY(TVuViewerMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(bool ModeDetect READ ModeDetect WRITE SetModeDetect)
    Q_PROPERTY(TVuViewerMode ModeUndetected READ ModeUndetected WRITE SetModeUndetected)
    Q_PROPERTY(TVuViewerModes ModesDisabledForDetect READ ModesDisabledForDetect WRITE SetModesDisabledForDetect)
    Q_PROPERTY(bool TextDetect READ TextDetect WRITE SetTextDetect)
    Q_PROPERTY(bool TextDetectOEM READ TextDetectOEM WRITE SetTextDetectOEM)
    Q_PROPERTY(uint TextDetectSize READ TextDetectSize WRITE SetTextDetectSize)
    Q_PROPERTY(uint TextDetectLimit READ TextDetectLimit WRITE SetTextDetectLimit)
    Q_PROPERTY(TVuViewerMediaMode MediaMode READ MediaMode WRITE SetMediaMode)
    Q_PROPERTY(bool MediaFull READ MediaFull WRITE SetMediaFull)
    Q_PROPERTY(bool MediaAutoPlay READ MediaAutoPlay WRITE SetMediaAutoPlay)
    Q_PROPERTY(int MediaPlayCount READ MediaPlayCount WRITE SetMediaPlayCount)
    Q_PROPERTY(int MediaPlaylistPause READ MediaPlaylistPause WRITE SetMediaPlaylistPause)
    Q_PROPERTY(bool MediaFit READ MediaFit WRITE SetMediaFit)
    Q_PROPERTY(bool MediaFitOnlyBig READ MediaFitOnlyBig WRITE SetMediaFitOnlyBig)
    Q_PROPERTY(bool MediaCenter READ MediaCenter WRITE SetMediaCenter)
    Q_PROPERTY(uint MediaColor READ MediaColor WRITE SetMediaColor)
    Q_PROPERTY(int MediaVolume READ MediaVolume WRITE SetMediaVolume)
    Q_PROPERTY(TVuEncoding TextEncoding READ TextEncoding WRITE SetTextEncoding)
    Q_PROPERTY(bool TextWrap READ TextWrap WRITE SetTextWrap)
    Q_PROPERTY(int TextWidth READ TextWidth WRITE SetTextWidth)
    Q_PROPERTY(int TextWidthHex READ TextWidthHex WRITE SetTextWidthHex)
    Q_PROPERTY(bool TextWidthFit READ TextWidthFit WRITE SetTextWidthFit)
    Q_PROPERTY(bool TextWidthFitHex READ TextWidthFitHex WRITE SetTextWidthFitHex)
    Q_PROPERTY(bool TextWidthFitUHex READ TextWidthFitUHex WRITE SetTextWidthFitUHex)
    Q_PROPERTY(bool TextOemSpecial READ TextOemSpecial WRITE SetTextOemSpecial)
    Q_PROPERTY(bool TextGutter READ TextGutter WRITE SetTextGutter)
    Q_PROPERTY(bool TextNonPrintable READ TextNonPrintable WRITE SetTextNonPrintable)
    Q_PROPERTY(bool TextVariableScrollbar READ TextVariableScrollbar WRITE SetTextVariableScrollbar)
    Q_PROPERTY(int TextGutterWidth READ TextGutterWidth WRITE SetTextGutterWidth)
    Q_PROPERTY(int TextTabSize READ TextTabSize WRITE SetTextTabSize)
    Q_PROPERTY(int TextSearchIndentVert READ TextSearchIndentVert WRITE SetTextSearchIndentVert)
    Q_PROPERTY(int TextSearchIndentHorz READ TextSearchIndentHorz WRITE SetTextSearchIndentHorz)
    Q_PROPERTY(uint TextColor READ TextColor WRITE SetTextColor)
    Q_PROPERTY(uint TextColorHex READ TextColorHex WRITE SetTextColorHex)
    Q_PROPERTY(uint TextColorHex2 READ TextColorHex2 WRITE SetTextColorHex2)
    Q_PROPERTY(uint TextColorHexBack READ TextColorHexBack WRITE SetTextColorHexBack)
    Q_PROPERTY(uint TextColorLines READ TextColorLines WRITE SetTextColorLines)
    Q_PROPERTY(uint TextColorError READ TextColorError WRITE SetTextColorError)
    Q_PROPERTY(uint TextColorGutter READ TextColorGutter WRITE SetTextColorGutter)
    Q_PROPERTY(QFont TextFont READ TextFont WRITE SetTextFont)
    Q_PROPERTY(uint TextFontColor READ TextFontColor WRITE SetTextFontColor)
    Q_PROPERTY(QFont TextFontOEM READ TextFontOEM WRITE SetTextFontOEM)
    Q_PROPERTY(bool TextAutoReload READ TextAutoReload WRITE SetTextAutoReload)
    Q_PROPERTY(bool TextAutoReloadBeep READ TextAutoReloadBeep WRITE SetTextAutoReloadBeep)
    Q_PROPERTY(bool TextAutoReloadFollowTail READ TextAutoReloadFollowTail WRITE SetTextAutoReloadFollowTail)
    Q_PROPERTY(bool TextAutoCopy READ TextAutoCopy WRITE SetTextAutoCopy)
    Q_PROPERTY(uint TextPopupCommands READ TextPopupCommands WRITE SetTextPopupCommands)
    Q_PROPERTY(bool WebWaitForNavigate READ WebWaitForNavigate WRITE SetWebWaitForNavigate)
    Q_PROPERTY(bool IsFocused READ IsFocused WRITE SetIsFocused)
    Q_PROPERTY(QFrame::Shape BorderStyleInner READ BorderStyleInner WRITE SetBorderStyleInner)
    Q_PROPERTY(bool PluginsFirst READ PluginsFirst WRITE SetPluginsFirst)

public:
    // One Lister plugin given to the viewer: its library and the detect
    // string that says which files it claims.
    struct PluginEntry {
        QString fileName;
        QString detectString;
    };

    explicit TVuViewer(QWidget* parent = nullptr);
    ~TVuViewer() override;

    // --- File -------------------------------------------------------------------

    // Opens `fileName` (see the class comment): makes it absolute; the name
    // already loaded returns true and fires nothing. Otherwise fires
    // OnFileUnload (when a file was loaded), unloads it and, for a readable
    // file, detects the mode (when ModeDetect), loads the file into the
    // sub-view of that mode and fires OnFileLoad. An empty name just
    // unloads (true). A missing file or a folder reports "File not found:
    // %s", an unreadable one "Cannot open file: %s"; both leave no file and
    // return false. `picture`, when given, is shown by the image box in
    // place of reading an image file (not owned; used during the call).
    bool Open(const QString& fileName, const TVuPicture* picture = nullptr);

    QString FileName() const { return fileName_; }
    int64_t FileSize() const { return fileSize_; }

    TVuViewerMode Mode() const { return mode_; }
    // Stores the mode and reloads the loaded file in it, even when the mode
    // is unchanged: OnFileUnload, the sub-views of other modes hidden, the
    // file loaded, OnFileLoad. With no file only the mode is stored. Choosing
    // vmodeUnicode again on the same file switches to the Unicode hex dump.
    void SetMode(TVuViewerMode mode);

    // Frees the file from every sub-view (the file name stays): the text view
    // closes it, a picture is dropped (HadImage tells whether there was one),
    // the rich text and web views are emptied and the players let go.
    void Unload();
    // Shows only the sub-view of the current mode (none without a file).
    void HideSubViews();

    // A sub-view may take the focus after a load: the viewer is shown and
    // enabled, and IsFocused is set or the focus is in the viewer.
    bool MayFocusSubView() const;
    // Gives the focus to the sub-view of the current mode.
    void FocusSubView();

    bool IsImage() const { return isImage_; }
    bool IsMedia() const { return isMedia_; }
    bool IsIcon() const { return isIcon_; }
    bool IsMetafile() const { return isMetafile_; }
    // The last Unload dropped a picture.
    bool HadImage() const { return hadImage_; }

    // --- Commands -----------------------------------------------------------------

    // The selected text as ANSI bytes: the text view's in vmodeText,
    // vmodeBinary and vmodeHex, the rich text view's in vmodeRTF, empty in
    // the other modes. Throws std::logic_error("TextSelText is called in
    // Unicode mode") in vmodeUnicode.
    std::string TextSelText() const;
    // The text view's selected text in vmodeUnicode. Throws
    // std::logic_error("TextSelTextW is called in non-Unicode mode") in every
    // other mode.
    QString TextSelTextW() const;
    // Clears the selection before a new search: the text view's in the text
    // modes, the rich text view's in vmodeRTF, the browser's in vmodeWeb.
    void ResetSelection();
    // Pops up the text view's encoding menu at screen point (x, y) (text
    // modes with a file only).
    void ShowEncodingMenu(int x, int y);
    // One zoom step: the text font (text modes), the rich text font (whose
    // size TextFont then takes), the picture (images) or the page (web, not
    // PDF). Nothing in the other modes.
    void ZoomStep(bool in);
    // Image command 0..12 (0 rotate 90, 1 rotate 270, 2 grey, 3 negative,
    // 4 flip vertical, 5 flip horizontal, 6..12 filters) on the shown
    // picture with MediaColor as background. False without a picture, for
    // a number outside 0..12, or when the operation failed.
    bool ImageCommand(int command);
    // The plugin showing the file in vmodeWLX; empty otherwise.
    QString PluginName() const;

    // Prints by mode: the print dialog (the selection range offered and
    // chosen when there is a selection), then the text or rich text; the
    // host prints in vmodeWLX, the browser in vmodeWeb; in vmodeMedia the
    // dialog shows and nothing is printed.
    void PrintFile();
    // The print preview: of the whole text in the text modes and of the
    // rich text in vmodeRTF (with a file), the browser's in vmodeWeb;
    // nothing elsewhere.
    void PrintPreview();
    // The printer set-up dialog (the browser's page set-up in vmodeWeb;
    // nothing in vmodeUnicode).
    void PrinterSetup();
    // The dialogs PrintFile and PrinterSetup run (tests replace them).
    void SetPrintDialogs(TVuPrintDialogs dialogs) { printDialogs_ = std::move(dialogs); }
    // The printer the viewer prints with (made on first use).
    QPrinter& Printer();

    // --- Detection (see DetectMode) -----------------------------------------------------

    TVuDetectSettings& DetectSettings() { return detect_; }
    const TVuDetectSettings& DetectSettings() const { return detect_; }
    bool ModeDetect() const { return detect_.ModeDetect; }
    void SetModeDetect(bool on) { detect_.ModeDetect = on; }
    TVuViewerMode ModeUndetected() const { return detect_.ModeUndetected; }
    void SetModeUndetected(TVuViewerMode mode) { detect_.ModeUndetected = mode; }
    TVuViewerModes ModesDisabledForDetect() const { return detect_.ModesDisabledForDetect; }
    void SetModesDisabledForDetect(TVuViewerModes modes) { detect_.ModesDisabledForDetect = modes; }
    bool TextDetect() const { return detect_.TextDetect; }
    void SetTextDetect(bool on) { detect_.TextDetect = on; }
    bool TextDetectOEM() const { return detect_.TextDetectOEM; }
    void SetTextDetectOEM(bool on) { detect_.TextDetectOEM = on; }
    uint TextDetectSize() const { return detect_.TextDetectSize; }
    void SetTextDetectSize(uint kb) { detect_.TextDetectSize = kb; }
    uint TextDetectLimit() const { return detect_.TextDetectLimit; }
    void SetTextDetectLimit(uint kb) { detect_.TextDetectLimit = kb; }
    bool PluginsFirst() const { return detect_.PluginsFirst; }
    void SetPluginsFirst(bool on) { detect_.PluginsFirst = on; }

    // A probe the detection asks in place of the plugin host (not owned, may
    // be null; then the host is asked when there is one).
    void SetPluginProbe(TVuPluginProbe* probe) { probe_ = probe; }

    // --- Text settings (forwarded to the text view) ------------------------------------

    // In the text modes the text view's encoding (the user may change it
    // there), which the viewer then keeps.
    TVuEncoding TextEncoding() const;
    void SetTextEncoding(TVuEncoding enc);
    bool TextWrap() const { return textWrap_; }
    void SetTextWrap(bool on);
    int TextWidth() const;
    void SetTextWidth(int value);
    int TextWidthHex() const;
    void SetTextWidthHex(int value);
    bool TextWidthFit() const;
    void SetTextWidthFit(bool on);
    bool TextWidthFitHex() const;
    void SetTextWidthFitHex(bool on);
    bool TextWidthFitUHex() const;
    void SetTextWidthFitUHex(bool on);
    bool TextOemSpecial() const;
    void SetTextOemSpecial(bool on);
    bool TextGutter() const;
    void SetTextGutter(bool on);
    bool TextNonPrintable() const;
    void SetTextNonPrintable(bool on);
    bool TextVariableScrollbar() const;
    void SetTextVariableScrollbar(bool on);
    int TextGutterWidth() const;
    void SetTextGutterWidth(int value);
    int TextTabSize() const;
    void SetTextTabSize(int value);
    // Clamped to 0..80.
    int TextSearchIndentVert() const { return indentVert_; }
    void SetTextSearchIndentVert(int value);
    int TextSearchIndentHorz() const { return indentHorz_; }
    void SetTextSearchIndentHorz(int value);

    TColor TextColor() const { return textColor_; }
    void SetTextColor(TColor c);
    TColor TextColorHex() const;
    void SetTextColorHex(TColor c);
    TColor TextColorHex2() const;
    void SetTextColorHex2(TColor c);
    TColor TextColorHexBack() const;
    void SetTextColorHexBack(TColor c);
    TColor TextColorLines() const;
    void SetTextColorLines(TColor c);
    TColor TextColorError() const;
    void SetTextColorError(TColor c);
    TColor TextColorGutter() const;
    void SetTextColorGutter(TColor c);

    // The text view's font (also the rich text view's).
    QFont TextFont() const;
    void SetTextFont(const QFont& font);
    // The colour of TextFont (a font carries its colour in the settings).
    TColor TextFontColor() const;
    void SetTextFontColor(TColor c);
    // The text view's font for OEM text.
    QFont TextFontOEM() const;
    void SetTextFontOEM(const QFont& font);

    bool TextAutoReload() const;
    void SetTextAutoReload(bool on);
    bool TextAutoReloadBeep() const;
    void SetTextAutoReloadBeep(bool on);
    bool TextAutoReloadFollowTail() const;
    void SetTextAutoReloadFollowTail(bool on);
    // Copy every new selection to the clipboard (not in vmodeHex).
    bool TextAutoCopy() const { return autoCopy_; }
    void SetTextAutoCopy(bool on) { autoCopy_ = on; }
    // Which context menu commands the text view shows (TVuPopupCommands bits).
    uint TextPopupCommands() const;
    void SetTextPopupCommands(uint commands);

    // The progress handler of the text view's own search.
    void SetOnTextSearchProgress(TVuStreamSearchProgress handler);

    // Border of the sub-views: QFrame::NoFrame for none, else a single line.
    QFrame::Shape BorderStyleInner() const { return borderStyleInner_; }
    void SetBorderStyleInner(QFrame::Shape shape);

    // --- Media settings ------------------------------------------------------------------

    TVuViewerMediaMode MediaMode() const { return mediaMode_; }
    // Changing the player kind unloads the file (it is not reloaded).
    void SetMediaMode(TVuViewerMediaMode mode);
    bool MediaFull() const { return mediaFull_; }
    // Applied by a player that can; without one the value stays.
    void SetMediaFull(bool on);
    bool MediaAutoPlay() const { return mediaAutoPlay_; }
    void SetMediaAutoPlay(bool on) { mediaAutoPlay_ = on; }
    int MediaPlayCount() const { return mediaPlayCount_; }
    void SetMediaPlayCount(int count) { mediaPlayCount_ = count; }
    int MediaPlaylistPause() const { return mediaPlaylistPause_; }
    void SetMediaPlaylistPause(int ms) { mediaPlaylistPause_ = ms; }
    // In vmodeMedia with a picture, the image box's current values.
    bool MediaFit() const;
    void SetMediaFit(bool on);
    bool MediaFitOnlyBig() const;
    void SetMediaFitOnlyBig(bool on);
    bool MediaCenter() const;
    void SetMediaCenter(bool on);
    TColor MediaColor() const { return mediaColor_; }
    void SetMediaColor(TColor c);
    bool MediaTransparent() const { return mediaTransparent_; }
    void SetMediaTransparent(bool on) { mediaTransparent_ = on; }
    bool MediaResample() const { return mediaResample_; }
    void SetMediaResample(bool on) { mediaResample_ = on; }
    bool MediaKeepPosition() const { return mediaKeepPosition_; }
    void SetMediaKeepPosition(bool on) { mediaKeepPosition_ = on; }
    // Volume level 0..10 (the player's when there is one). A level outside
    // is kept as given (so conf.ini reads back what it held) and reaches a
    // player clamped to 0..10.
    int MediaVolume() const;
    void SetMediaVolume(int level);
    bool MediaMute() const;

    // --- Web and focus ---------------------------------------------------------------------

    bool WebWaitForNavigate() const { return webWaitForNavigate_; }
    void SetWebWaitForNavigate(bool on) { webWaitForNavigate_ = on; }
    bool IsFocused() const { return isFocused_; }
    void SetIsFocused(bool on) { isFocused_ = on; }

    // --- Plugins -----------------------------------------------------------------------------

    // Forgets every plugin.
    void ClearPlugins();
    // Appends a plugin; false (and nothing added) for an empty file name or
    // when the host refuses it.
    bool AddPlugin(const QString& fileName, const QString& detectString);
    const QVector<PluginEntry>& Plugins() const { return plugins_; }
    // The window plugins show in and the plugin settings file (may be empty).
    void SetPluginsParent(QWidget* parent, const QString& settingsFile);
    QWidget* PluginsParent() const { return pluginsParent_; }
    // The rectangle the open plugin window is to fill, in viewer coordinates.
    void ResizePlugins(const QRect& rect);

    // --- Sub-views (for the main window's commands and tests) -------------------------------

    // The text and binary view (always there).
    TVuBinHex* TextView() const { return textView_; }
    TVuRichTextView* RichTextView() const { return rich_.get(); }
    TVuImageView* ImageView() const { return image_.get(); }
    TVuMediaPlayerView* MediaPlayer() const;
    TVuWebView* WebView() const { return web_.get(); }
    TVuPluginHost* PluginHost() const { return pluginHost_.get(); }
    // The rich text view's context menu ("Copy", "-", "Select all").
    QMenu* RichTextMenu() const { return richMenu_; }

public slots:
    // The selection handler of the text and rich text views: copies a new
    // selection with TextAutoCopy (not in vmodeHex) and keeps the rich text
    // menu's items enabled as the selection allows.
    void SelectionChanged();

signals:
    // After a file was loaded or reloaded in a new mode.
    void OnFileLoad();
    // Before a loaded file is replaced or its mode changed.
    void OnFileUnload();
    // The user changed an option in a sub-view (encoding, font size, zoom).
    void OnOptionsChange();
    // The text view re-read its file after a change (auto-reload).
    void OnTextFileReload();
    void OnMediaPlaybackEnd();
    void OnWebDocumentComplete();
    void OnWebNavigateComplete();
    void OnPluginsBeforeLoading(const QString& pluginName);
    void OnPluginsAfterLoading(const QString& pluginName);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class PluginProbe;

    bool IsTextMode() const { return mode_ <= vmodeUnicode; }
    bool HasFile() const { return !fileName_.isEmpty(); }
    bool IsImageFile() const;
    void ClearFile();
    void LoadByMode(const TVuPicture* picture, bool forcedPlugin);
    void LoadText();
    void LoadRich();
    void LoadMedia(const TVuPicture* picture);
    void LoadImage(const TVuPicture* picture);
    void LoadPlayer();
    void LoadWeb();
    void LoadPlugin(bool autoDetect);
    TVuPluginParams PluginParams() const;
    void ResendPluginParams();
    void EnsureRichText();
    void EnsureImage();
    TVuMediaPlayerView* EnsurePlayer();
    void EnsureWeb();
    void PlaceMediaControl();
    void PrintText();
    void PrintRichText();
    bool RunPrintDialog(bool hasSelection);
    void RunPageSetup();
    void WebDocumentComplete();

    // State
    QString fileName_;
    int64_t fileSize_ = 0;
    TVuViewerMode mode_ = vmodeText;
    TVuDetectSettings detect_;
    TVuPluginProbe* probe_ = nullptr;
    bool isImage_ = false;
    bool isMedia_ = false;
    bool isIcon_ = false;
    bool isMetafile_ = false;
    bool hadImage_ = false;
    bool destroying_ = false;

    // Text settings the text view does not keep itself
    mutable TVuEncoding encoding_ = vEncANSI;
    bool textWrap_ = false;
    int indentVert_ = 5;
    int indentHorz_ = 5;
    TColor textColor_ = clWindow;
    bool autoCopy_ = false;
    QFrame::Shape borderStyleInner_ = QFrame::Box;

    // Media settings
    TVuViewerMediaMode mediaMode_ = vmmodeWMP64;
    bool mediaFull_ = false;
    bool mediaAutoPlay_ = true;
    int mediaPlayCount_ = 1;
    int mediaPlaylistPause_ = 500;
    bool mediaFit_ = true;
    bool mediaFitOnlyBig_ = true;
    bool mediaCenter_ = true;
    TColor mediaColor_ = clGray;
    bool mediaTransparent_ = false;
    bool mediaResample_ = false;
    bool mediaKeepPosition_ = true;
    mutable int mediaVolume_ = 8;
    mutable bool mediaMute_ = false;

    bool webWaitForNavigate_ = false;
    bool isFocused_ = false;

    // Plugins
    QVector<PluginEntry> plugins_;
    QWidget* pluginsParent_ = nullptr;
    QString pluginsSettingsFile_;
    QRect pluginRect_;

    // Sub-views
    TVuSubViewMakers makers_;
    TVuBinHex* textView_ = nullptr;  // a child of the viewer
    std::unique_ptr<TVuRichTextView> rich_;
    std::unique_ptr<TVuImageView> image_;
    std::unique_ptr<TVuMediaPlayerView> players_[4];  // by TVuViewerMediaMode
    std::unique_ptr<TVuWebView> web_;
    std::unique_ptr<TVuPluginHost> pluginHost_;
    std::unique_ptr<PluginProbe> hostProbe_;
    QMenu* richMenu_ = nullptr;
    QAction* richCopy_ = nullptr;
    QAction* richSelectAll_ = nullptr;
    QTimer* playbackEndTimer_ = nullptr;

    // Printing
    std::unique_ptr<QPrinter> printer_;
    TVuPrintDialogs printDialogs_;
};
