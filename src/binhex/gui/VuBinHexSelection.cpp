// The view's selection: setting it (and scrolling it into view), the word
// and line a click selects, the selected text and copying it.
#include "binhex/gui/VuBinHex.h"

#include "binhex/core/VuBinHexSelection.h"
#include "text/core/VuViewerMsg.h"
#include "text/core/VuxSHex.h"
#include "text/gui/VuxClipboard.h"

#include <algorithm>

void TVuBinHex::SetSelection(int64_t start, int64_t length, bool scroll, bool notify)
{
    if (start < 0 || start > model_.LastPos() || length < 0)
        return;
    const bool changed = model_.SetSelection(start, length);
    if (scroll)
        ScrollToSelection(model_.SelStart());
    Redraw();
    if (changed && notify)
        emit OnSelectionChange();
}

void TVuBinHex::SelectAll() { SetSelection(0, model_.FileSize(), false, true); }

void TVuBinHex::SelectNone(bool notify) { SetSelection(0, 0, false, notify); }

void TVuBinHex::ScrollToSelection(int64_t start)
{
    if (model_.IsEmptySource())
        return;
    model_.ScrollToLineOf(start, model_.TextSearchIndentVert());
    Redraw();
    // Horizontally only when the start lies outside the window (the last
    // few pixels count as outside, a character there is cut).
    int x = 0;
    int y = 0;
    if (!positions_.PointOf(start, x, y, canvas_, TextOutputOptionsOf(model_, false)))
        return;
    if (x >= 0 && x <= viewport()->width() - 5)
        return;
    const int indent = model_.TextSearchIndentHorz() * model_.FontMetrics().cellWidth;
    model_.SetHorzScrollPos(x + model_.HorzScrollPos() - indent);  // the redraw clamps it
}

void TVuBinHex::SelectWordOrLine(int64_t offset, bool line)
{
    const TVuByteRange range = WordOrLineAt(model_, offset, line);
    if (range.length > 0)
        SetSelection(range.start, range.length, false, true);
}

std::string TVuBinHex::SelText() { return SelectionText(model_); }

QString TVuBinHex::SelTextW() { return QString::fromStdU16String(SelectionTextW(model_)); }

QString TVuBinHex::SelTextUnicode() { return QString::fromStdU16String(SelectionTextUnicode(model_)); }

void TVuBinHex::CopyToClipboard(bool asHex)
{
    try {
        if (IsUnicodeMode(model_.Mode())) {
            std::u16string text = SelectionTextW(model_);
            std::replace(text.begin(), text.end(), u'\0', u' ');
            ClipboardPutWide(text);
        } else if (asHex) {
            ClipboardPutBytes(BytesToHexText(SelectedBytes(model_)), vEncANSI);
        } else {
            std::string bytes = SelectedBytes(model_);
            std::replace(bytes.begin(), bytes.end(), '\0', ' ');
            ClipboardPutBytes(bytes, model_.TextEncoding());
        }
    } catch (const std::exception&) {
        ViewerMessage(ViewerMessages.CannotCopyToClipboard);
    }
}
