// TVuBinHex: the scrolling control that shows a file or stream of any size
// as text, binary lines, a hex dump, UTF-16 text or a UTF-16 hex dump.
//
// The state, buffer and line finding are TVuBinHexModel's; layout is
// TVuBinHexPainter's. The control draws every change into an off-screen
// image and copies that one image to the window (no background erase, no
// flicker), and keeps both scroll bars by the model's rules.
#pragma once

#include "binhex/core/VuBinHexModel.h"
#include "binhex/core/VuBinHexPainter.h"
#include "binhex/core/VuStrPositions.h"
#include "binhex/gui/VuQtCanvas.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>

class QPrinter;

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

    // Progress of the view's own search (Model().Search()).
    const TVuStreamSearchProgress& OnSearchProgress() const { return model_.Search().OnProgress; }
    void SetOnSearchProgress(TVuStreamSearchProgress handler) { model_.Search().OnProgress = std::move(handler); }

    // The state and the last screen's lines, for input and tests.
    TVuBinHexModel& Model() { return model_; }
    const TStrPositions& Positions() const { return positions_; }
    // The off-screen image last drawn.
    const QImage& Bitmap() { return canvas_.Image(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    TVuViewColors Colors() const;
    void UpdateFonts();
    void UpdateScrollBars(const TVuDrawResult& result);
    void HideScrollBars();
    void SetColorAndRedraw(TVuColor& slot, TVuColor color);

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
};
