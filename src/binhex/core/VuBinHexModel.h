// The state of the text and binary view: its source (a file or a caller's
// stream), the three-block read buffer around the visible part, positions,
// the character fetch and the rules by which text lines are found forward
// and backward. Nothing here draws; the painter and the widget use it.
//
// The read buffer
// ---------------
//
//      BufferPos                                      BufferPos + 3*BlockSize
//      |<-- block 0 -->|<-- block 1 -->|<-- block 2 -->|
//      [===============|===============|===============]
//                 ^ ViewPos lies in blocks 0..1 (fixed modes), so the
//                   kMaxDrawLines lines of a screen always fit before the end
//
//   BlockSize = MaxCharBytes * LineLimit * kMaxDrawLines (60 000 bytes in the
//   single-byte modes, 120 000 in the Unicode ones, 240 000 for UTF-8 text).
//   Bytes past the end of the source read as 0; every fetch checks
//   IsOutOfBuffer first.
//
//   UTF-8 text keeps three more bytes on either side ("guards", read with the
//   buffer but outside it), so the character at any buffered offset can be
//   measured and its start found without another read:
//
//      [g g g|=============== buffer ===============|g g g]
//             ^ BufferPos                            ^ BufferPos + BufferSize
//
// Invariants while a source is shown: 0 <= ViewPos <= LastPos, where
// LastPos = (size rounded down to CharSize) - CharSize, at least 0; in the
// fixed modes ViewPos is a multiple of the line unit and
// BufferPos <= ViewPos < BufferPos + 2*BlockSize.
//
// Characters: the line walk asks CharBytesAt / PrevCharStart instead of
// adding CharSize. UTF-8 text (IsMultiByteText) answers them by the rule of
// text/core/VuxUtf8.h: a character is one valid sequence of 1 to 4 bytes or
// one invalid byte. Positions stay byte offsets; a position inside a
// sequence is moved back to its start (CharStart), and a read line carries
// the byte offset of each of its UTF-16 units (TVuReadLine::offsets).
#pragma once

#include "binhex/core/VuBinHexTypes.h"
#include "search/core/VuStreamSearch.h"
#include "text/core/VuStream.h"
#include "text/core/VuxCodepages.h"
#include "text/core/VuxUtf8.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Measures the right edge of every character of a line as it would be drawn
// (tabs expanded, marks added), for wrapping. Implemented by the painter.
class TVuLineMeasure {
public:
    virtual ~TVuLineMeasure() = default;
    // extents[i] = right edge, in pixels, of character i of `line`.
    virtual void CharExtents(const std::u16string& line, std::vector<int>& extents) = 0;
};

// A line collected by ReadLine.
struct TVuReadLine {
    std::u16string text;  // characters in file order (backward: nearest first)
    int count = 0;        // characters the line covers (a cut blank included)
    int64_t bytes = 0;    // bytes those characters take
    // UTF-8 text only (empty otherwise): offsets[i] = bytes, in the line's
    // order, before the character text[i] belongs to (both units of a
    // surrogate pair share one); offsets[text.size()] ends the drawn text.
    std::vector<int32_t> offsets;
};

enum TVuSourceKind : uint8_t { vsrcNone, vsrcFile, vsrcStream };

// What a re-open remembers of the view it replaces.
struct TVuViewMemo {
    int64_t viewPos = 0;
    int horzScrollPos = 0;
    bool endVisible = false;
};

class TVuBinHexModel {
public:
    TVuBinHexModel();
    ~TVuBinHexModel();
    TVuBinHexModel(const TVuBinHexModel&) = delete;
    TVuBinHexModel& operator=(const TVuBinHexModel&) = delete;

    // --- Source -----------------------------------------------------------

    // Shows the file `fileName` (UTF-8) from its start. The name already
    // shown gives true and reads nothing; an empty name closes the source.
    // A file that cannot be opened reports "Cannot open file: %s" and gives
    // false; one whose size cannot be read gives false silently. Either way
    // the view is then empty.
    bool OpenFile(const std::string& fileName);

    // Re-opens the current file (mode change). With `newFile` clear the
    // remembered ViewPos is scrolled to again; the widget restores the
    // horizontal position from Memo(). Result as OpenFile.
    bool LoadFile(bool newFile);

    // Re-reads the current file after it changed on disk, taking its new
    // size. The view keeps its ViewPos (a position past the new end shows
    // the end); with `followTail` and the end visible before, it moves to
    // the new end. Memo() holds what the view was, for the horizontal
    // position. Result as OpenFile; a failure leaves the view empty with the
    // file name kept, so a later change can try again.
    bool ReloadFile(bool followTail);

    // Shows `stream` (not owned; it must outlive the view or be replaced)
    // from offset 0. nullptr just closes the source. Result: a source is set.
    bool OpenStream(TVuStream* stream);

    // Drops the source and the buffer and resets positions, selection and
    // byte order. The file name is kept (cleared by OpenFile("")).
    void CloseSource();

    TVuSourceKind SourceKind() const { return kind_; }
    bool HasSource() const { return kind_ != vsrcNone; }
    const std::string& FileName() const { return fileName_; }
    // Forgets the file name without touching the source (a deleted file).
    void ClearFileName() { fileName_.clear(); }
    // Size taken when the source opened.
    int64_t FileSize() const { return fileSize_; }
    // A source smaller than one character shows nothing.
    bool IsEmptySource() const { return !HasSource() || fileSize_ < CharSize(); }
    TVuStream* Source() const { return source_; }
    const TVuViewMemo& Memo() const { return memo_; }
    // The view's own search object; its source is cleared whenever the
    // view's source closes.
    TVuStreamSearch& Search() { return search_; }
    const TVuStreamSearch& Search() const { return search_; }

    // --- Mode and encoding --------------------------------------------------

    TVuBinHexMode Mode() const { return mode_; }
    // Stores the mode and re-opens the source: a file keeps its position, a
    // stream restarts at 0. The buffer is rebuilt (its size follows CharSize).
    void SetMode(TVuBinHexMode mode);
    TVuEncoding TextEncoding() const { return encoding_; }
    // Result: the value changed (the caller redraws).
    bool SetTextEncoding(TVuEncoding enc);
    bool TextOemSpecial() const { return oemSpecial_; }
    bool SetTextOemSpecial(bool value);
    // 0 = not yet known, 1 = little-endian, 2 = big-endian.
    uint8_t ByteOrder() const { return byteOrder_; }
    void SetByteOrder(uint8_t order) { byteOrder_ = order; }
    // Sets the byte order from the source's start when it is not known yet:
    // FE FF is big-endian, anything else little-endian.
    void DetectByteOrder();

    int CharSize() const { return ModeCharSize(mode_); }
    // Text mode in a multi-byte encoding (UTF-8): characters of 1..4 bytes.
    bool IsMultiByteText() const { return mode_ == vbmodeText && IsMultiByteEncoding(encoding_); }
    // Most bytes one character can take in the current mode and encoding.
    int MaxCharBytes() const { return IsMultiByteText() ? kUtf8MaxBytes : CharSize(); }
    int LineLimit() const { return ::LineLimit(mode_); }
    int64_t BlockSize() const { return int64_t(MaxCharBytes()) * LineLimit() * kMaxDrawLines; }
    int64_t BufferSize() const { return 3 * BlockSize(); }
    // Bytes per line for positioning and the scroll bar.
    int64_t LineUnit() const;
    // True when bytes are drawn as they are: not a Unicode mode, and ANSI or
    // OEM text drawn with the OEM font.
    bool NoConversion() const;
    // The OEM font is in use: OEM text with TextOemSpecial outside Unicode.
    bool UsesOemFont() const;

    // --- Properties used by layout ------------------------------------------
    // The setters enforce the ranges; each returns whether the value changed.

    int TextWidth() const { return textWidth_; }
    bool SetTextWidth(int value);  // 2..300
    int TextWidthHex() const { return textWidthHex_; }
    bool SetTextWidthHex(int value);  // 2..300, down to a multiple of 4, >= 2
    int TextWidthUHex() const { return textWidthUHex_; }
    bool SetTextWidthUHex(int value);
    bool TextWidthFit() const { return widthFit_; }
    void SetTextWidthFit(bool value) { widthFit_ = value; }
    bool TextWidthFitHex() const { return widthFitHex_; }
    void SetTextWidthFitHex(bool value);  // off resets TextWidthHex to 16
    bool TextWidthFitUHex() const { return widthFitUHex_; }
    void SetTextWidthFitUHex(bool value);  // off resets TextWidthUHex to 8
    bool TextWrap() const { return wrap_; }
    bool SetTextWrap(bool value);  // on resets HorzScrollPos
    bool TextNonPrintable() const { return nonPrintable_; }
    bool SetTextNonPrintable(bool value);
    bool TextGutter() const { return gutter_; }
    void SetTextGutter(bool value) { gutter_ = value; }
    int TextGutterWidth() const { return gutterWidth_; }
    void SetTextGutterWidth(int value) { gutterWidth_ = value < 0 ? 0 : value; }
    int TextTabSize() const { return tabSize_; }
    bool SetTextTabSize(int value);  // 1..16
    int TextSearchIndentVert() const { return indentVert_; }
    void SetTextSearchIndentVert(int value);  // 0..80
    int TextSearchIndentHorz() const { return indentHorz_; }
    void SetTextSearchIndentHorz(int value);  // 0..80
    bool VariableScrollbar() const { return variableScrollbar_; }
    void SetVariableScrollbar(bool value) { variableScrollbar_ = value; }

    // Left margin of every line: the gutter plus 2 pixels.
    int LeftMargin() const { return gutter_ ? gutterWidth_ + 2 : 2; }

    // --- Positions ----------------------------------------------------------

    int64_t LastPos() const { return lastPos_; }
    int64_t BufferPos() const { return bufferPos_; }
    int64_t ViewPos() const { return viewPos_; }
    int HorzScrollPos() const { return horzScrollPos_; }
    void SetHorzScrollPos(int value) { horzScrollPos_ = value < 0 ? 0 : value; }
    // The largest horizontal extent seen since the source opened.
    int HorzMax() const { return horzMax_; }
    void SetHorzMax(int value) { horzMax_ = value; }
    bool EndVisible() const { return endVisible_; }
    void SetEndVisible(bool value) { endVisible_ = value; }
    bool ReadOK() const { return readOK_; }
    int OffsetDigits() const { return offsetDigits_; }

    int64_t SelStart() const { return selStart_; }
    int64_t SelLength() const { return selLength_; }
    // Stores a selection as given, rounded down to CharSize and cut at the
    // end of the source; a negative start or length, or a start past LastPos,
    // is ignored. In UTF-8 text a start inside a character moves back to its
    // start and an end inside one forward to its end, so the selection
    // never splits a character (bytes outside the buffer are read for it).
    // Result: the selection changed.
    bool SetSelection(int64_t start, int64_t length);

    // --- Font metrics and drawing surface (set by the painter) --------------

    struct Metrics {
        int lineHeight = 8;
        int firstChar = 32;
        int cellWidth = 4;
        bool fixedPitch = false;
    };
    const Metrics& FontMetrics() const { return metrics_; }
    void SetFontMetrics(const Metrics& m) { metrics_ = m; }
    int BitmapWidth() const { return bitmapWidth_; }
    int BitmapHeight() const { return bitmapHeight_; }
    void SetBitmapSize(int width, int height);
    // Lines of the drawing surface, 0..kMaxDrawLines.
    int VisibleLines() const;
    // Used by ReadLine to wrap; not owned. nullptr: no wrapping possible.
    void SetLineMeasure(TVuLineMeasure* measure) { measure_ = measure; }

    // --- Buffer and character fetch -----------------------------------------

    // Re-reads the whole buffer at BufferPos; the result is kept in ReadOK().
    // A failure shows "Cannot read file: %s" or "Cannot read stream".
    void ReadBuffer();
    // Shows the read error of the source: "Cannot read file: %s" with the
    // file name, or "Cannot read stream".
    void ReportReadError() const;
    // Reads `count` bytes at `offset` into `dest` (zero-filled first, so
    // bytes past the end are 0). Throws std::logic_error when no buffer or
    // no source is set. Result: the read succeeded.
    bool ReadSource(void* dest, int64_t count, int64_t offset);
    // As ReadSource, giving the bytes actually read (fewer at the end of the
    // source), or -1 when the read failed.
    int64_t ReadSourceBytes(void* dest, int64_t count, int64_t offset);
    // Number of ReadSource calls since construction (benchmarks).
    int64_t ReadCount() const { return readCount_; }
    bool IsOutOfBuffer(int64_t offset) const
    {
        return offset < 0 || offset > lastPos_ || offset < bufferPos_ || offset >= bufferPos_ + BufferBytes();
    }
    // The character at `offset` (see the class comment). Offsets outside
    // 0..LastPos give '.'; one inside the file but outside the buffer throws
    // std::logic_error("Buffer position out of range: GetChar"). Characters
    // below the font's first character become '.', except CR, LF and tab
    // when `binary` is clear.
    char16_t GetChar(int64_t offset, bool binary) const;
    // The character at `offset` before GetChar's dot rule (0 outside the
    // file); same assertion as GetChar.
    char16_t RawChar(int64_t offset) const;
    // The byte at `offset` as two upper-case hex digits; in the Unicode modes
    // the following byte's digits come first (a unit reads high byte first
    // whatever the byte order). Empty past LastPos; same assertion as GetChar.
    std::string HexOfChar(int64_t offset) const;
    // Bytes of the character starting at `offset`: CharSize, or in UTF-8
    // text 1..4 (1 outside the buffer).
    int CharBytesAt(int64_t offset) const;
    // Start of the character before the one at `offset` (offset - 1 when
    // that byte is outside the buffer).
    int64_t PrevCharStart(int64_t offset) const;
    int64_t RoundToChar(int64_t offset) const;
    // The start of the character holding `offset`: RoundToChar, and in UTF-8
    // text the sequence's first byte when the offset is in the buffer.
    int64_t CharStart(int64_t offset) const;

    // --- Lines (text modes) ---------------------------------------------------

    // Collects one line from `start`: forward up to, backward down to (and
    // counting the character at `start`), the nearest CR or LF, at most
    // LineLimit characters and never leaving the buffer; with TextWrap cut
    // to the drawing width at a blank or backslash.
    TVuReadLine ReadLine(bool forward, int64_t start) const;
    // Start of the next (forward) or previous (backward) displayed line from
    // the line starting at `offset`, or -1 when it does not lie in the buffer.
    // Line breaks are CR, LF, CR LF and LF CR.
    int64_t NextLineStart(bool forward, int64_t offset) const;
    // As NextLineStart forward, with the line at `offset` already read.
    int64_t NextLineStartAfter(int64_t offset, const TVuReadLine& line) const;
    // Moves ViewPos `count` displayed lines from `from`, positioning the
    // buffer so that both ends lie in it. Past the end the view shows the
    // last line; before the start, offset 0.
    void StepLines(int count, bool forward, int64_t from);

    // --- Scrolling ------------------------------------------------------------

    // Puts `offset` at the top: 0 or below is the start (and horizontal 0),
    // past LastPos the end; fixed modes round to the line unit; text modes
    // show the line holding the offset (the one before when it starts a line).
    void ScrollTo(int64_t offset);
    // Puts `offset` `indentLines` lines below the top, for a selection
    // scrolled into view: the fixed modes show its line unit that many units
    // down (or the start); the text modes step indentLines + 1 lines back
    // from it, so a line start lands one line further down. The horizontal
    // position is left alone.
    void ScrollToLineOf(int64_t offset, int indentLines);
    // Start of the file, horizontal position 0.
    void GoHome();
    // End of the file: the last page (fixed) or the last lines (text).
    void GoEnd();
    // Line moves; down is ignored at the last page (fixed) or while the end
    // is visible (text); up past 0 goes to the start.
    void LineDown(int count);
    void LineUp(int count);
    void PageDown() { LineDown(VisibleLines()); }
    void PageUp() { LineUp(VisibleLines()); }
    // Puts ViewPos back to a position saved earlier (after printing), with
    // the buffer placed around it.
    void RestoreViewPos(int64_t pos);
    // Start of the last page in the fixed modes.
    int64_t LastPageStart() const;

private:
    bool OpenFileSource();
    void AllocateBuffer();
    // Logical buffer size (without the guards) and its first byte.
    int64_t BufferBytes() const { return int64_t(buffer_.size()) - 2 * guard_; }
    const uint8_t* BufferStart() const { return buffer_.data() + guard_; }
    // Re-allocates the buffer around ViewPos after the character size
    // changed (UTF-8 text on or off).
    void Rebuffer();
    // UTF-8 text: the character holding `offset`, read from the source when
    // the buffer does not hold it. `start` and `bytes` describe it.
    void CharAround(int64_t offset, int64_t& start, int& bytes);
    TVuReadLine ReadLineMultiByte(bool forward, int64_t start) const;
    // UTF-8 text: the code point at `offset` (in the buffer) and its bytes.
    char32_t DecodeAt(int64_t offset, int& bytes) const;
    void ScrollToFixed(int64_t offset);
    void PlaceBufferFixed();
    void PlaceBufferForLines(int64_t from, int64_t target, int count, bool forward);
    void RefreshTable();
    void RefreshLastPos();
    int WrapLine(TVuReadLine& line, bool forward, int64_t start) const;

    // Source
    TVuSourceKind kind_ = vsrcNone;
    std::string fileName_;
    std::unique_ptr<TVuFileStream> file_;
    TVuStream* source_ = nullptr;  // file_.get() or the caller's stream
    int64_t fileSize_ = 0;
    int64_t lastPos_ = 0;  // kept with fileSize_ and the mode
    bool readOK_ = true;
    TVuViewMemo memo_;
    TVuStreamSearch search_;

    // Mode and encoding
    TVuBinHexMode mode_ = vbmodeText;
    TVuEncoding encoding_ = vEncANSI;
    const char16_t* table_ = nullptr;  // byte -> character for encoding_
    uint8_t byteOrder_ = 0;

    // Layout properties
    int textWidth_ = 80;
    int textWidthHex_ = 16;
    int textWidthUHex_ = 8;
    bool widthFit_ = false;
    bool widthFitHex_ = false;
    bool widthFitUHex_ = false;
    bool wrap_ = false;
    bool nonPrintable_ = false;
    bool oemSpecial_ = false;
    bool gutter_ = false;
    int gutterWidth_ = 10;
    int tabSize_ = 8;
    int indentVert_ = 5;
    int indentHorz_ = 5;
    bool variableScrollbar_ = false;

    // Buffer and positions
    std::vector<uint8_t> buffer_;  // guard_ bytes, the buffer, guard_ bytes
    int guard_ = 0;
    int64_t bufferPos_ = 0;
    int64_t viewPos_ = 0;
    int horzScrollPos_ = 0;
    int horzMax_ = 0;
    bool endVisible_ = false;
    int64_t selStart_ = 0;
    int64_t selLength_ = 0;
    int offsetDigits_ = 8;
    int64_t readCount_ = 0;

    Metrics metrics_;
    int bitmapWidth_ = 0;
    int bitmapHeight_ = 0;
    TVuLineMeasure* measure_ = nullptr;
};

// Hex digits of the offset column for a source of `size` bytes: the digits
// of the size, at least 8, rounded up to an even count (0 for an empty one
// is raised to 8 as well).
int OffsetDigitsFor(int64_t size);
