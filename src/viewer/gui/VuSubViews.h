// What the viewer asks of its sub-views other than the text view: the rich
// text view, the image box, the media players, the web document view and
// the Lister plugin host. Each is a small interface here; the subsystem that
// provides the view implements it (usually the widget itself, deriving from
// both its Qt class and the interface) and registers a maker with
// SetViewerSubViewMakers. A viewer without a maker for a kind leaves that
// kind's pane empty, and switching to a text mode by hand still works.
//
// Ownership: the viewer owns every sub-view it makes (std::unique_ptr) and
// frees it when it is destroyed; Widget() is a child of the viewer for the
// sub-view's life.
#pragma once

#include <QFrame>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "viewer/core/VuColor.h"
#include "viewer/core/VuDetect.h"
#include "viewer/core/VuViewerModes.h"

class QFont;
class QMenu;
class QPrinter;
class QWidget;

// The image subsystem's picture container (one graphic of a registered
// class). The viewer only passes it through to the image box.
class TVuPicture;

// --- Rich text view (vmodeRTF) ------------------------------------------------

class TVuRichTextView {
public:
    virtual ~TVuRichTextView() = default;

    // The control; a child of the viewer.
    virtual QWidget* Widget() = 0;

    virtual void SetTextFont(const QFont& font) = 0;
    virtual void SetColor(TColor color) = 0;
    virtual void SetWordWrap(bool on) = 0;
    virtual void SetBorder(QFrame::Shape shape) = 0;
    // The menu shown on the control's context-menu request (not owned; the
    // viewer keeps it). nullptr: no menu.
    virtual void SetPopupMenu(QMenu* menu) = 0;

    // Loads rich text (or plain UTF-8 text) from `fileName`. False when it
    // cannot be read; the control is then empty and the caller reports.
    virtual bool LoadRichFile(const QString& fileName) = 0;
    // Empties the control.
    virtual void Clear() = 0;

    // The selection in characters of the shown text.
    virtual int64_t SelStart() const = 0;
    virtual int64_t SelLength() const = 0;
    virtual void SetSelection(int64_t start, int64_t length) = 0;
    virtual int64_t TextLength() const = 0;
    virtual void SelectAll() = 0;
    // The selected text as ANSI bytes.
    virtual std::string SelText() const = 0;
    // Puts the selection on the clipboard; false when that failed.
    virtual bool CopySelection() = 0;

    // The font one step larger or smaller; the result is the font now used.
    virtual QFont StepFont(bool larger) = 0;
    // Prints everything or the selection, `copies` times, as a job titled
    // `title`. Result: pages printed (0 when nothing was printed).
    virtual int PrintRich(QPrinter& printer, bool selectionOnly, int copies, const QString& title) = 0;

    // Raised after the selection changed.
    std::function<void()> OnSelectionChange;
    // Raised when a web link in the text is clicked; the argument is the link.
    std::function<void(const QString& url)> OnURLClick;
};

// --- Image box (vmodeMedia, extensions of ExtImagesList) ------------------------

// How a picture is shown; sent before every load.
struct TVuImageLook {
    TColor background = 0x808080;    // MediaColor: area around the picture
    bool transparent = false;        // MediaTransparent
    bool resample = false;           // MediaResample
    TColor resampleColor = 0x808080;  // MediaColor again, behind transparent pictures
};

class TVuImageView {
public:
    virtual ~TVuImageView() = default;

    virtual QWidget* Widget() = 0;

    virtual void SetLook(const TVuImageLook& look) = 0;
    virtual void SetBorder(QFrame::Shape shape) = 0;

    // Shows `picture` when given, else the picture read from `fileName` by
    // its extension. Animated and transparent GIFs are drawn transparent, an
    // icon is prepared for drawing. On failure the box is left empty and the
    // result is the message to show: the reader's own for an invalid image,
    // else "Unknown image format". Empty on success.
    virtual QString LoadPicture(const QString& fileName, const TVuPicture* picture) = 0;
    virtual bool HasPicture() const = 0;
    virtual void ClearPicture() = 0;
    virtual bool IsIcon() const = 0;
    virtual bool IsMetafile() const = 0;

    virtual bool FitToWindow() const = 0;
    virtual void SetFitToWindow(bool on) = 0;
    virtual bool FitOnlyBig() const = 0;
    virtual void SetFitOnlyBig(bool on) = 0;
    virtual bool Center() const = 0;
    virtual void SetCenter(bool on) = 0;
    virtual void SetKeepPosition(bool on) = 0;

    // One zoom step in or out.
    virtual void StepZoom(bool in) = 0;
    // Runs image operation `op` (1 rotate 90 … 13 noise) on the picture with
    // `background` for uncovered areas, then re-reads the picture's size.
    // False when there is no picture or the operation failed.
    virtual bool ApplyImageOp(int op, TColor background) = 0;

    // Raised when the user changed the box's options (its zoom).
    std::function<void()> OnOptionsChange;
};

// --- Media players (vmodeMedia, other extensions) ---------------------------------

// What a player is given with each file.
struct TVuMediaLoad {
    QString fileName;
    int volumeLevel = 8;  // 0..10
    bool mute = false;
    int playCount = 1;
    bool autoPlay = true;
    bool fit = true;
    bool border = true;  // BorderStyleInner is not none
    bool full = false;   // MediaFull
};

class TVuMediaPlayerView {
public:
    virtual ~TVuMediaPlayerView() = default;

    virtual QWidget* Widget() = 0;

    // Loads and (with autoPlay) starts the file. On failure the result is the
    // message to show ("Unknown multimedia format" or the player's own) and
    // the player stays empty. Empty on success.
    virtual QString Load(const TVuMediaLoad& load) = 0;
    // Lets go of the file (the player shows nothing).
    virtual void Release() = 0;
    // Volume level 0..10 and mute as the player has them now.
    virtual int VolumeLevel() const = 0;
    virtual void SetVolumeLevel(int level) = 0;
    virtual bool Mute() const = 0;
    // Full-screen playback; false when this player cannot change it.
    virtual bool SetFull(bool on) = 0;
    virtual void SetFit(bool on) = 0;
    // Places the picture after the viewer moved or resized.
    virtual void Place() = 0;

    // Raised when playback has stopped by itself (the viewer then waits
    // MediaPlaylistPause and raises OnMediaPlaybackEnd).
    std::function<void()> OnStopped;
};

// --- Web document view (vmodeWeb) -------------------------------------------------

class TVuWebView {
public:
    virtual ~TVuWebView() = default;

    virtual QWidget* Widget() = 0;

    // Shows `fileName`; with `wait`, returns once the document has arrived.
    virtual void Navigate(const QString& fileName, bool wait) = 0;
    // Shows an empty page.
    virtual void Blank() = 0;
    // Drops the document's own border.
    virtual void RemoveBorder() = 0;
    virtual void FocusDocument() = 0;
    virtual void ClearSelection() = 0;
    virtual void Zoom(bool in) = 0;
    virtual void Print() = 0;
    // False when the browser could not show the dialog.
    virtual bool PrintPreview() = 0;
    virtual bool PageSetup() = 0;

    std::function<void()> OnDocumentComplete;
    std::function<void()> OnNavigateComplete;
};

// --- Lister plugin host (vmodeWLX) ----------------------------------------------------

// The viewer's settings as plugins are given them.
struct TVuPluginParams {
    bool fit = true;
    bool fitLargerOnly = true;
    bool center = true;
    bool wrap = false;
    bool ansi = true;  // TextEncoding is vEncANSI
};

class TVuPluginHost {
public:
    virtual ~TVuPluginHost() = default;

    // False when the list is full or already holds the file.
    virtual bool AddPlugin(const QString& fileName, const QString& detectString) = 0;
    // Closes the plugin window and forgets every plugin.
    virtual void UnloadAll() = 0;
    // The window plugin windows are shown in, and the plugin settings file.
    virtual void InitParams(QWidget* parent, const QString& settingsFile) = 0;
    virtual void SetFocusOnLoad(bool on) = 0;
    // Shows `fileName` in the first plugin that takes it: with `autoDetect`
    // by the detect strings, else forced. True when a plugin window shows it.
    virtual bool OpenMatched(const QString& fileName, const TVuPluginParams& params, bool autoDetect) = 0;
    virtual void CloseActive() = 0;
    virtual void ResizeActive(const QRect& rect) = 0;
    virtual void SendNewParams(const TVuPluginParams& params) = 0;
    // True when printing worked or there was nothing to print.
    virtual bool PrintActive() = 0;
    virtual void FocusActive() = 0;
    // The active plugin's name (file name without folder and extension).
    virtual QString ActivePluginName() const = 0;

    // Raised around loading a plugin library, with the plugin's name.
    std::function<void(const QString& pluginName)> OnBeforeLoading;
    std::function<void(const QString& pluginName)> OnAfterLoading;
};

// --- Makers ------------------------------------------------------------------------------

// How the viewer makes its sub-views. Any member may be empty: that kind
// of content then shows nothing. `parent` is the viewer.
struct TVuSubViewMakers {
    std::function<std::unique_ptr<TVuRichTextView>(QWidget* parent)> richText;
    std::function<std::unique_ptr<TVuImageView>(QWidget* parent)> image;
    // One player per kind; nullptr when that kind cannot be made.
    std::function<std::unique_ptr<TVuMediaPlayerView>(TVuViewerMediaMode kind, QWidget* parent)> mediaPlayer;
    std::function<std::unique_ptr<TVuWebView>(QWidget* parent)> web;
    std::function<std::unique_ptr<TVuPluginHost>()> pluginHost;
};

// The makers viewers created from now on use (process-wide; the application
// sets them once at start, tests around a case).
void SetViewerSubViewMakers(TVuSubViewMakers makers);
const TVuSubViewMakers& ViewerSubViewMakers();
