// TVuViewer: the commands the main window and the find command call: the
// selection and its automatic copy, zoom steps, image commands.
#include "viewer/gui/VuViewer.h"

#include <QAction>
#include <stdexcept>

#include "binhex/gui/VuBinHex.h"
#include "viewer/core/VuExtLists.h"

void TVuViewer::SelectionChanged()
{
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeUnicode:
        // A hex dump's selection is never copied by itself: it would put
        // the raw bytes, not the digits the user sees, on the clipboard.
        if (autoCopy_ && textView_->Model().SelLength() > 0)
            textView_->CopyToClipboard(false);
        break;
    case vmodeRTF:
        if (rich_) {
            const int64_t start = rich_->SelStart();
            const int64_t length = rich_->SelLength();
            if (richCopy_)
                richCopy_->setEnabled(length > 0);
            if (richSelectAll_)
                richSelectAll_->setEnabled(!(start == 0 && length >= rich_->TextLength()));
            if (autoCopy_ && length > 0)
                rich_->CopySelection();
        }
        break;
    default:
        break;
    }
}

std::string TVuViewer::TextSelText() const
{
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeHex:
        return textView_->SelText();
    case vmodeUnicode:
        throw std::logic_error("TextSelText is called in Unicode mode");
    case vmodeRTF:
        return rich_ ? rich_->SelText() : std::string();
    default:
        return {};
    }
}

QString TVuViewer::TextSelTextW() const
{
    if (mode_ != vmodeUnicode)
        throw std::logic_error("TextSelTextW is called in non-Unicode mode");
    return textView_->SelTextW();
}

void TVuViewer::ResetSelection()
{
    if (IsTextMode()) {
        textView_->SelectNone(true);
    } else if (mode_ == vmodeRTF) {
        if (rich_)
            rich_->SetSelection(rich_->SelStart(), 0);
    } else if (mode_ == vmodeWeb) {
        if (web_)
            web_->ClearSelection();
    }
}

void TVuViewer::ShowEncodingMenu(int x, int y)
{
    // The menu changes the text view's encoding; elsewhere it would change
    // a view that is not shown.
    if (IsTextMode() && HasFile())
        textView_->ShowEncodingMenu(x, y);
}

void TVuViewer::ZoomStep(bool in)
{
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeHex:
    case vmodeUnicode:
        textView_->ChangeFontSize(in);
        break;
    case vmodeRTF:
        if (rich_) {
            // The text font takes the rich text view's new size, so the
            // text modes and the settings follow.
            QFont font = TextFont();
            const QFont stepped = rich_->StepFont(in);
            if (stepped.pointSizeF() > 0)
                font.setPointSizeF(stepped.pointSizeF());
            else if (stepped.pixelSize() > 0)
                font.setPixelSize(stepped.pixelSize());
            textView_->setFont(font);
        }
        break;
    case vmodeMedia:
        if (isImage_ && image_)
            image_->StepZoom(in);
        break;
    case vmodeWeb:
        if (web_ && !ExtensionInList(fileName_.toUtf8().toStdString(), "pdf"))
            web_->Zoom(in);
        break;
    case vmodeWLX:
        break;
    }
}

bool TVuViewer::ImageCommand(int command)
{
    if (command < 0 || command > 12 || !image_ || !image_->HasPicture())
        return false;
    // Commands count from 0, the operation codes from 1 (rotate 90).
    return image_->ApplyImageOp(command + 1, mediaColor_);
}
