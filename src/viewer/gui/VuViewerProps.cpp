// TVuViewer: the settings. Text settings live in the text view and are
// read back from it; the others are kept here and forwarded to the
// sub-view of the current mode when they change.
#include "viewer/gui/VuViewer.h"

#include <algorithm>

#include "binhex/gui/VuBinHex.h"

// --- Encoding and wrap ------------------------------------------------------------------------

TVuEncoding TVuViewer::TextEncoding() const
{
    // The user may pick another encoding from the text view's menu.
    if (IsTextMode())
        encoding_ = textView_->TextEncoding();
    return encoding_;
}

void TVuViewer::SetTextEncoding(TVuEncoding enc)
{
    if (enc == TextEncoding())
        return;
    encoding_ = enc;
    if (IsTextMode())
        textView_->SetTextEncoding(enc);
    ResendPluginParams();
}

void TVuViewer::SetTextWrap(bool on)
{
    if (on == textWrap_)
        return;
    textWrap_ = on;
    textView_->SetTextWrap(on);
    if (rich_)
        rich_->SetWordWrap(on);
    ResendPluginParams();
}

// --- Settings the text view keeps ---------------------------------------------------------------

int TVuViewer::TextWidth() const { return textView_->TextWidth(); }
void TVuViewer::SetTextWidth(int value) { textView_->SetTextWidth(value); }
int TVuViewer::TextWidthHex() const { return textView_->TextWidthHex(); }
void TVuViewer::SetTextWidthHex(int value) { textView_->SetTextWidthHex(value); }
bool TVuViewer::TextWidthFit() const { return textView_->TextWidthFit(); }
void TVuViewer::SetTextWidthFit(bool on)
{
    textView_->SetTextWidthFit(on);
    textView_->Redraw();
}
bool TVuViewer::TextWidthFitHex() const { return textView_->TextWidthFitHex(); }
void TVuViewer::SetTextWidthFitHex(bool on)
{
    textView_->SetTextWidthFitHex(on);
    textView_->Redraw();
}
bool TVuViewer::TextWidthFitUHex() const { return textView_->TextWidthFitUHex(); }
void TVuViewer::SetTextWidthFitUHex(bool on)
{
    textView_->SetTextWidthFitUHex(on);
    textView_->Redraw();
}
bool TVuViewer::TextOemSpecial() const { return textView_->TextOemSpecial(); }
void TVuViewer::SetTextOemSpecial(bool on) { textView_->SetTextOemSpecial(on); }
bool TVuViewer::TextGutter() const { return textView_->TextGutter(); }
void TVuViewer::SetTextGutter(bool on)
{
    textView_->SetTextGutter(on);
    textView_->Redraw();
}
bool TVuViewer::TextNonPrintable() const { return textView_->TextNonPrintable(); }
void TVuViewer::SetTextNonPrintable(bool on) { textView_->SetTextNonPrintable(on); }
bool TVuViewer::TextVariableScrollbar() const { return textView_->VariableScrollbar(); }
void TVuViewer::SetTextVariableScrollbar(bool on)
{
    textView_->SetVariableScrollbar(on);
    textView_->Redraw();
}
int TVuViewer::TextGutterWidth() const { return textView_->TextGutterWidth(); }
void TVuViewer::SetTextGutterWidth(int value)
{
    textView_->SetTextGutterWidth(value);
    textView_->Redraw();
}
int TVuViewer::TextTabSize() const { return textView_->TextTabSize(); }
void TVuViewer::SetTextTabSize(int value) { textView_->SetTextTabSize(value); }

void TVuViewer::SetTextSearchIndentVert(int value)
{
    indentVert_ = std::clamp(value, 0, 80);
    textView_->SetTextSearchIndentVert(indentVert_);
}

void TVuViewer::SetTextSearchIndentHorz(int value)
{
    indentHorz_ = std::clamp(value, 0, 80);
    textView_->SetTextSearchIndentHorz(indentHorz_);
}

// --- Colours and fonts ---------------------------------------------------------------------------

void TVuViewer::SetTextColor(TColor c)
{
    if (c == textColor_)
        return;
    textColor_ = c;
    textView_->SetColor(c);
    if (rich_)
        rich_->SetColor(c);
}

TColor TVuViewer::TextColorHex() const { return textView_->TextColorHex(); }
void TVuViewer::SetTextColorHex(TColor c) { textView_->SetTextColorHex(c); }
TColor TVuViewer::TextColorHex2() const { return textView_->TextColorHex2(); }
void TVuViewer::SetTextColorHex2(TColor c) { textView_->SetTextColorHex2(c); }
TColor TVuViewer::TextColorHexBack() const { return textView_->TextColorHexBack(); }
void TVuViewer::SetTextColorHexBack(TColor c) { textView_->SetTextColorHexBack(c); }
TColor TVuViewer::TextColorLines() const { return textView_->TextColorLines(); }
void TVuViewer::SetTextColorLines(TColor c) { textView_->SetTextColorLines(c); }
TColor TVuViewer::TextColorError() const { return textView_->TextColorError(); }
void TVuViewer::SetTextColorError(TColor c) { textView_->SetTextColorError(c); }
TColor TVuViewer::TextColorGutter() const { return textView_->TextColorGutter(); }
void TVuViewer::SetTextColorGutter(TColor c) { textView_->SetTextColorGutter(c); }

QFont TVuViewer::TextFont() const { return textView_->font(); }

void TVuViewer::SetTextFont(const QFont& font)
{
    textView_->setFont(font);
    if (rich_)
        rich_->SetTextFont(font);
}

TColor TVuViewer::TextFontColor() const { return textView_->FontColor(); }
void TVuViewer::SetTextFontColor(TColor c) { textView_->SetFontColor(c); }
QFont TVuViewer::TextFontOEM() const { return textView_->FontOEM(); }
void TVuViewer::SetTextFontOEM(const QFont& font) { textView_->SetFontOEM(font); }

void TVuViewer::SetBorderStyleInner(QFrame::Shape shape)
{
    borderStyleInner_ = shape;
    textView_->setFrameShape(shape == QFrame::NoFrame ? QFrame::NoFrame : QFrame::Box);
    if (rich_)
        rich_->SetBorder(shape);
    if (image_)
        image_->SetBorder(shape);
}

// --- Auto-reload, menu, search progress ---------------------------------------------------

bool TVuViewer::TextAutoReload() const { return textView_->AutoReload(); }
void TVuViewer::SetTextAutoReload(bool on) { textView_->SetAutoReload(on); }
bool TVuViewer::TextAutoReloadBeep() const { return textView_->AutoReloadBeep(); }
void TVuViewer::SetTextAutoReloadBeep(bool on) { textView_->SetAutoReloadBeep(on); }
bool TVuViewer::TextAutoReloadFollowTail() const { return textView_->AutoReloadFollowTail(); }
void TVuViewer::SetTextAutoReloadFollowTail(bool on) { textView_->SetAutoReloadFollowTail(on); }

uint TVuViewer::TextPopupCommands() const { return textView_->TextPopupCommands(); }
void TVuViewer::SetTextPopupCommands(uint commands) { textView_->SetTextPopupCommands(TVuPopupCommands(commands & 0x1F)); }

void TVuViewer::SetOnTextSearchProgress(TVuStreamSearchProgress handler)
{
    textView_->SetOnSearchProgress(std::move(handler));
}

// --- Media ---------------------------------------------------------------------------------------------

void TVuViewer::SetMediaMode(TVuViewerMediaMode mode)
{
    if (mode == mediaMode_)
        return;
    // The file is let go of; the next load uses the new player.
    mediaVolume_ = MediaVolume();
    mediaMute_ = MediaMute();
    mediaMode_ = mode;
    Unload();
    HideSubViews();
}

void TVuViewer::SetMediaFull(bool on)
{
    TVuMediaPlayerView* player = MediaPlayer();
    if (!player || !player->SetFull(on))
        return;
    mediaFull_ = on;
    PlaceMediaControl();
}

bool TVuViewer::MediaFit() const
{
    if (mode_ == vmodeMedia && isImage_ && image_)
        return image_->FitToWindow();
    return mediaFit_;
}

void TVuViewer::SetMediaFit(bool on)
{
    if (on == MediaFit())
        return;
    mediaFit_ = on;
    if (mode_ == vmodeMedia) {
        if (image_)
            image_->SetFitToWindow(on);
        if (TVuMediaPlayerView* player = MediaPlayer())
            player->SetFit(on);
    }
    ResendPluginParams();
}

bool TVuViewer::MediaFitOnlyBig() const
{
    if (mode_ == vmodeMedia && isImage_ && image_)
        return image_->FitOnlyBig();
    return mediaFitOnlyBig_;
}

void TVuViewer::SetMediaFitOnlyBig(bool on)
{
    if (on == MediaFitOnlyBig())
        return;
    mediaFitOnlyBig_ = on;
    if (mode_ == vmodeMedia && image_)
        image_->SetFitOnlyBig(on);
    ResendPluginParams();
}

bool TVuViewer::MediaCenter() const
{
    if (mode_ == vmodeMedia && isImage_ && image_)
        return image_->Center();
    return mediaCenter_;
}

void TVuViewer::SetMediaCenter(bool on)
{
    if (on == MediaCenter())
        return;
    mediaCenter_ = on;
    if (mode_ == vmodeMedia && image_)
        image_->SetCenter(on);
    ResendPluginParams();
}

void TVuViewer::SetMediaColor(TColor c)
{
    if (c == mediaColor_)
        return;
    mediaColor_ = c;
    if (image_) {
        TVuImageLook look;
        look.background = c;
        look.transparent = mediaTransparent_;
        look.resample = mediaResample_;
        look.resampleColor = c;
        image_->SetLook(look);
    }
}

int TVuViewer::MediaVolume() const
{
    if (TVuMediaPlayerView* player = MediaPlayer())
        mediaVolume_ = player->VolumeLevel();
    return mediaVolume_;
}

void TVuViewer::SetMediaVolume(int level)
{
    // Kept as given; a player is sent the level within 0..10.
    mediaVolume_ = level;
    if (TVuMediaPlayerView* player = MediaPlayer())
        player->SetVolumeLevel(std::clamp(level, 0, 10));
}

bool TVuViewer::MediaMute() const
{
    if (TVuMediaPlayerView* player = MediaPlayer())
        mediaMute_ = player->Mute();
    return mediaMute_;
}
