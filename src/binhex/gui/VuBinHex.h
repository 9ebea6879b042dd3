// TVuBinHex: the scrolling control that shows a file or stream of any size
// as text, binary lines, a hex dump, UTF-16 text or a UTF-16 hex dump.
//
// The state, buffer and line finding are TVuBinHexModel's; layout is
// TVuBinHexPainter's. The control draws every change into an off-screen
// image and copies that one image to the window (no background erase, no
// flicker), and keeps both scroll bars by the model's rules.
//
// The members are implemented in cohesive files: VuBinHex.cpp (source,
// properties, drawing, fonts), VuBinHexSelection.cpp (selection and
// clipboard), VuBinHexInput.cpp (keys, wheel, mouse, scroll bars),
// VuBinHexMiddleScroll.cpp, VuBinHexMenus.cpp (context and encoding menus),
// VuBinHexReload.cpp (auto-reload) and VuBinHexPrint.cpp.
#pragma once

#include "binhex/core/VuBinHexInputRules.h"
#include "binhex/core/VuBinHexModel.h"
#include "binhex/core/VuBinHexPainter.h"
#include "binhex/core/VuStrPositions.h"
#include "binhex/gui/VuFileNotifier.h"
#include "binhex/gui/VuQtCanvas.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QTimer>

class QAction;
class QActionGroup;
class QMenu;
class QPrinter;
class TVuColumnMenu;

class TVuBinHex : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TVuBinHex(QWidget* parent = nullptr);
    ~TVuBinHex() override;

    // --- Source -------------------------------------------------------------

    // Shows the file `fileName` from its start; the name already shown gives
    // true and reads nothing, an empty name empties the view. A failed open
    // reports through ViewerMessage and gives false. Redraws when asked.
    bool OpenFile(const QString& fileName, bool redraw = true);
    // Shows `stream` (not owned) from offset 0; nullptr empties the view.
    bool OpenStream(TVuStream* stream);
    // Empties the view (the file name stays until OpenFile("")).
    void CloseSource();
    QString FileName() const { return QString::fromStdString(model_.FileName()); }

    // --- Mode and encoding ------------------------------------------------------

    TVuBinHexMode Mode() const { return model_.Mode(); }
    // Re-opens the source in the new mode: a file keeps its position (the
    // line or line unit holding it) and horizontal position, a stream
    // restarts at 0.
    void SetMode(TVuBinHexMode mode);
    TVuEncoding TextEncoding() const { return model_.TextEncoding(); }
    void SetTextEncoding(TVuEncoding enc);
    // Byte order of the Unicode modes: 1 little-endian, 2 big-endian.
    uint8_t ByteOrder() const { return model_.ByteOrder(); }
    void SetByteOrder(uint8_t order);

    // --- Layout properties (ranges as the model enforces) ----------------------

    int TextWidth() const { return model_.TextWidth(); }
    void SetTextWidth(int value);
    int TextWidthHex() const { return model_.TextWidthHex(); }
    void SetTextWidthHex(int value);
    int TextWidthUHex() const { return model_.TextWidthUHex(); }
    void SetTextWidthUHex(int value);
    bool TextWidthFit() const { return model_.TextWidthFit(); }
    void SetTextWidthFit(bool value) { model_.SetTextWidthFit(value); }
    bool TextWidthFitHex() const { return model_.TextWidthFitHex(); }
    void SetTextWidthFitHex(bool value) { model_.SetTextWidthFitHex(value); }
    bool TextWidthFitUHex() const { return model_.TextWidthFitUHex(); }
    void SetTextWidthFitUHex(bool value) { model_.SetTextWidthFitUHex(value); }
    bool TextWrap() const { return model_.TextWrap(); }
    void SetTextWrap(bool value);
    bool TextNonPrintable() const { return model_.TextNonPrintable(); }
    void SetTextNonPrintable(bool value);
    bool TextOemSpecial() const { return model_.TextOemSpecial(); }
    void SetTextOemSpecial(bool value);
    bool TextGutter() const { return model_.TextGutter(); }
    void SetTextGutter(bool value) { model_.SetTextGutter(value); }
    int TextGutterWidth() const { return model_.TextGutterWidth(); }
    void SetTextGutterWidth(int value) { model_.SetTextGutterWidth(value); }
    int TextTabSize() const { return model_.TextTabSize(); }
    void SetTextTabSize(int value);
    int TextSearchIndentVert() const { return model_.TextSearchIndentVert(); }
    void SetTextSearchIndentVert(int value) { model_.SetTextSearchIndentVert(value); }
    int TextSearchIndentHorz() const { return model_.TextSearchIndentHorz(); }
    void SetTextSearchIndentHorz(int value) { model_.SetTextSearchIndentHorz(value); }
    bool VariableScrollbar() const { return model_.VariableScrollbar(); }
    void SetVariableScrollbar(bool value) { model_.SetVariableScrollbar(value); }

    // --- Colours and fonts --------------------------------------------------------
    // Colours are $00BBGGRR or system colours $FF0000nn; every change redraws.

    TVuColor Color() const { return color_; }
    void SetColor(TVuColor color);
    TVuColor FontColor() const { return fontColor_; }
    void SetFontColor(TVuColor color);
    TVuColor TextColorHex() const { return colorHex_; }
    void SetTextColorHex(TVuColor color);
    TVuColor TextColorHex2() const { return colorHex2_; }
    void SetTextColorHex2(TVuColor color);
    TVuColor TextColorHexBack() const { return colorHexBack_; }
    void SetTextColorHexBack(TVuColor color);
    TVuColor TextColorLines() const { return colorLines_; }
    void SetTextColorLines(TVuColor color);
    TVuColor TextColorError() const { return colorError_; }
    void SetTextColorError(TVuColor color);
    TVuColor TextColorGutter() const { return colorGutter_; }
    void SetTextColorGutter(TVuColor color);
    // The font of OEM text with TextOemSpecial ("Terminal", 9 points).
    QFont FontOEM() const { return fontOem_; }
    void SetFontOEM(const QFont& font);
    // The control's font is QWidget::font() ("Courier New", 10 points).

    // --- Positions and drawing ------------------------------------------------------

    // Scrolls `offset` to the top by the model's rules; redraws when asked.
    void ScrollTo(int64_t offset, bool redraw = true);
    // Draws the visible area and updates both scroll bars; does nothing
    // while drawing is disabled (printing).
    void Redraw();
    // Raised around each redraw; a file-change notification arriving while
    // it is held is dropped.
    bool IsDrawing() const { return drawLock_ > 0; }

    // Prints the selection or the whole source on `printer`, `copies` times,
    // as a job titled `title` (empty: "Viewer: " + FileName, or "Viewer").
    // Wraps, without marks or gutter, in print colours; the view is restored
    // afterwards. Returns the number of pages printed (0: nothing to print
    // or the printer could not be started).
    int PrintText(QPrinter& printer, bool selectionOnly, int copies, const QString& title);

    // --- Selection and clipboard (VuBinHexSelection.cpp) -----------------------

    // Selects `length` bytes from `start`. Ignored when start < 0, start >
    // LastPos or length < 0; both are rounded down to whole characters and
    // the length cut at the end of the source. With `scroll` the start is
    // put TextSearchIndentVert lines below the top and, when it lies outside
    // the window horizontally, TextSearchIndentHorz cells from the left.
    // Redraws; raises OnSelectionChange when `notify` and it changed.
    void SetSelection(int64_t start, int64_t length, bool scroll, bool notify);
    // Selects the whole source, raising OnSelectionChange.
    void SelectAll();
    // Drops the selection (raising OnSelectionChange when `notify`).
    void SelectNone(bool notify);
    // Copies the selection (at most CopyLimitMB megabytes, read from the
    // source): in the Unicode modes as wide text (`asHex` has no effect),
    // elsewhere as text in TextEncoding or, with `asHex`, as hex digits.
    // NUL characters become spaces. A failure shows "Cannot copy data to
    // Clipboard"; no clipboard makes it do nothing.
    void CopyToClipboard(bool asHex);
    // The selection as ANSI bytes; throws std::logic_error in the Unicode
    // modes ("SelText is called in Unicode mode").
    std::string SelText();
    // The selection of the Unicode modes; throws std::logic_error elsewhere
    // ("SelTextW is called in non-Unicode mode").
    QString SelTextW();
    // The selection as the view shows its characters, in any mode and
    // encoding (UTF-8 text as it stands, not narrowed to ANSI).
    QString SelTextUnicode();

    // --- Menus and font size (VuBinHexMenus.cpp, VuBinHex.cpp) --------------------

    // Pops up the encoding menu centred horizontally on the screen point
    // (x, y) and waits until it closes: in the Unicode modes the byte-order
    // menu, otherwise the three-column encoding menu (UTF-8 after "Mac"). A choice redraws and
    // raises OnOptionsChange.
    void ShowEncodingMenu(int x, int y);
    // Steps the font in use one point up (`grow`) or down until its pixel
    // height changes. Refuses (false, font unchanged) to grow from above 71
    // points or to shrink from below 2. Success redraws and raises
    // OnOptionsChange.
    bool ChangeFontSize(bool grow);
    // Which context-menu commands show (set of TVuPopupCommand bits);
    // separators always show.
    TVuPopupCommands TextPopupCommands() const { return popupCommands_; }
    void SetTextPopupCommands(TVuPopupCommands commands);
    // The context menu ("Copy", "Copy as hex", "-", "Select line", "Select
    // all", "-", "Encoding..."), owned by the view.
    QMenu* ContextMenu() const { return popup_; }
    // The encoding menus, built on first use and kept (owned by the view).
    TVuColumnMenu* EncodingMenu();
    QMenu* ByteOrderMenu();

    // --- Auto-reload (VuBinHexReload.cpp) ---------------------------------------------

    // While a file is shown, watch it and re-read it when it changes.
    bool AutoReload() const { return autoReload_; }
    void SetAutoReload(bool on);
    // Beep after each reload.
    bool AutoReloadBeep() const { return autoReloadBeep_; }
    void SetAutoReloadBeep(bool on) { autoReloadBeep_ = on; }
    // A reload of a view showing the file's end moves to the new end.
    bool AutoReloadFollowTail() const { return autoReloadFollowTail_; }
    void SetAutoReloadFollowTail(bool on) { autoReloadFollowTail_ = on; }
    // Milliseconds a deleted file is given to come back (an editor that
    // saves by deleting and writing anew) before the view empties.
    static constexpr int kReappearMs = 300;

    // Progress of the view's own search (Model().Search()).
    const TVuStreamSearchProgress& OnSearchProgress() const { return model_.Search().OnProgress; }
    void SetOnSearchProgress(TVuStreamSearchProgress handler) { model_.Search().OnProgress = std::move(handler); }

    // The state and the last screen's lines, for input and tests.
    TVuBinHexModel& Model() { return model_; }
    const TStrPositions& Positions() const { return positions_; }
    // The off-screen image last drawn.
    const QImage& Bitmap() { return canvas_.Image(); }

signals:
    // After the left mouse button is released, and after SetSelection with
    // notify when the selection changed.
    void OnSelectionChange();
    // After an encoding or byte order is chosen from the menu, and after a
    // font size change.
    void OnOptionsChange();
    // After every scroll bar action, vertical or horizontal.
    void OnScroll();
    // After the shown file changed on disk and was re-read (or, deleted,
    // left the view empty).
    void OnFileReload();

protected:
    // Holds the drawing lock for its lifetime; a file change arriving
    // meanwhile is handled once the last lock is gone.
    class TDrawLock {
    public:
        explicit TDrawLock(TVuBinHex& view);
        ~TDrawLock();
        TDrawLock(const TDrawLock&) = delete;
        TDrawLock& operator=(const TDrawLock&) = delete;

    private:
        TVuBinHex& view_;
    };

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TVuViewColors Colors() const;
    void UpdateFonts();
    void UpdateScrollBars(const TVuDrawResult& result);
    void HideScrollBars();
    void SetColorAndRedraw(TVuColor& slot, TVuColor color);
    // After the source opened, changed or closed: input state, timers and
    // the watcher follow it.
    void SourceChanged();

    // Selection (VuBinHexSelection.cpp)
    void ScrollToSelection(int64_t start);
    void SelectWordOrLine(int64_t offset, bool line);

    // Input (VuBinHexInput.cpp)
    int64_t OffsetAtPoint(QPoint point);
    void LeftButtonDown(QMouseEvent* event);
    void ExtendSelectionTo(QPoint point);
    void DragScrollTick();
    void StopDragScroll();
    void ResetMouseState();
    void ScrollHorizontally(int pixels);
    void SetHorzPosition(int pixels);
    void GoToEnd();
    void VertScrollAction(int action);
    void HorzScrollAction(int action);

    // Middle-button scrolling (VuBinHexMiddleScroll.cpp)
    void StartMiddleScroll(QPoint origin);
    void StopMiddleScroll();
    void MiddleScrollTick();
    bool MiddleScrolling() const { return middleScroll_; }

    // Menus (VuBinHexMenus.cpp)
    void CreateContextMenu();
    void RefreshPopupStates();
    void ApplyPopupCommands();
    void SelectLineAtMenuPoint();
    void ShowEncodingMenuFromPopup();

    // Auto-reload (VuBinHexReload.cpp)
    void WatchCurrentFile(bool newFile);
    void StopWatching();
    // The watcher's change (`deadline` false) or the end of a deleted
    // file's grace period (true).
    void FileChanged() { HandleFileChange(false); }
    void HandleFileChange(bool deadline);

    TVuBinHexModel model_;
    TVuBinHexPainter painter_{model_};
    TVuQtCanvas canvas_;
    TStrPositions positions_;
    QFont fontOem_;
    TVuColor color_ = clWindow;
    TVuColor fontColor_ = clWindowText;
    TVuColor colorHex_ = 0x800000;
    TVuColor colorHex2_ = 0xFF0000;
    TVuColor colorHexBack_ = 0xECECEC;
    TVuColor colorLines_ = 0x808080;
    TVuColor colorError_ = 0x0000FF;
    TVuColor colorGutter_ = 0xC0C0C0;
    int drawLock_ = 0;
    bool drawingEnabled_ = true;
    bool pendingRedraw_ = false;      // a resize arrived while drawing
    bool settingScrollBars_ = false;  // bar changes are the view's own
    int vertScrollMax_ = 0;           // the vertical range in line units

    // Mouse state
    bool buttonDown_ = false;
    int64_t dragStart_ = -1;
    int64_t anchor_ = 0;            // of Shift+click
    int64_t wordPos_ = -1;          // under the last left click, one character back
    bool doubleClick_ = false;
    bool tripleClick_ = false;
    qint64 secondClickMs_ = 0;      // when the double click happened
    bool keepClickSelection_ = false;  // a word or line just selected by clicking
    QPoint menuPoint_{-1, -1};
    TVuDragZone dragZone_ = vdzNone;
    QPoint lastMouse_;
    QTimer dragTimer_;
    int wheelRest_ = 0;  // wheel angle not yet turned into a step

    bool middleScroll_ = false;
    QPoint middleOrigin_;
    QTimer middleTimer_;

    // Menus
    TVuPopupCommands popupCommands_ = vpCmdsAll;
    QMenu* popup_ = nullptr;
    QAction* popupCopy_ = nullptr;
    QAction* popupCopyHex_ = nullptr;
    QAction* popupSelectLine_ = nullptr;
    QAction* popupSelectAll_ = nullptr;
    QAction* popupEncoding_ = nullptr;
    TVuColumnMenu* encodingMenu_ = nullptr;
    QMenu* byteOrderMenu_ = nullptr;

    // Auto-reload
    bool autoReload_ = false;
    bool autoReloadBeep_ = false;
    bool autoReloadFollowTail_ = true;
    bool changePending_ = false;  // a change arrived while drawing
    TVuFileNotification notification_;
    QTimer reappearTimer_;        // a deleted file's grace period
};
