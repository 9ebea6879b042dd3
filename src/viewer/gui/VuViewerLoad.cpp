// TVuViewer: loading the file into the sub-view of its mode, and making
// the sub-views other than the text view on first need.
#include "viewer/gui/VuViewer.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

#include "binhex/gui/VuBinHex.h"
#include "text/core/VuViewerMsg.h"
#include "text/gui/VuxShellOpen.h"
#include "viewer/core/VuExtLists.h"

namespace {

std::string Utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

void Report(const QString& text)
{
    ViewerMessage(text.toStdU16String());
}

void ReportWithName(const std::u16string& format, const QString& name)
{
    QString text = QString::fromStdU16String(format);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, name);
    Report(text);
}

// The hourglass while a sub-view reads its file.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

TVuBinHexMode BinHexModeFor(TVuViewerMode mode)
{
    switch (mode) {
    case vmodeBinary: return vbmodeBinary;
    case vmodeHex: return vbmodeHex;
    case vmodeUnicode: return vbmodeUnicode;
    default: return vbmodeText;
    }
}

}  // namespace

// --- Text view --------------------------------------------------------------------------------

void TVuViewer::LoadText()
{
    const bool shown = textView_->Model().SourceKind() == vsrcFile && textView_->FileName() == fileName_;
    if (!shown)
        Unload();
    textView_->SetColor(textColor_);
    textView_->setFrameShape(borderStyleInner_ == QFrame::NoFrame ? QFrame::NoFrame : QFrame::Box);
    textView_->SetTextEncoding(encoding_);
    textView_->SetTextWrap(textWrap_);

    TVuBinHexMode mode = BinHexModeFor(mode_);
    // Choosing Unicode again on the file already shown in Unicode switches
    // to the Unicode hex dump.
    if (mode_ == vmodeUnicode && shown && textView_->Mode() == vbmodeUnicode)
        mode = vbmodeUHex;
    if (textView_->Mode() != mode)
        textView_->SetMode(mode);
    if (!shown)
        textView_->OpenFile(fileName_);
    textView_->setGeometry(contentsRect());
    textView_->show();
    if (MayFocusSubView())
        textView_->setFocus();
}

// --- Rich text view -----------------------------------------------------------------------------

void TVuViewer::EnsureRichText()
{
    if (rich_ || !makers_.richText)
        return;
    rich_ = makers_.richText(this);
    if (!rich_)
        return;
    rich_->Widget()->setGeometry(contentsRect());
    rich_->Widget()->hide();

    richMenu_ = new QMenu(this);
    richMenu_->setObjectName(QStringLiteral("richmenu"));
    richCopy_ = richMenu_->addAction(QStringLiteral("Copy"));
    richMenu_->addSeparator();
    richSelectAll_ = richMenu_->addAction(QStringLiteral("Select all"));
    connect(richCopy_, &QAction::triggered, this, [this] {
        if (rich_ && !rich_->CopySelection())
            Report(QString::fromStdU16String(ViewerMessages.CannotCopyToClipboard));
    });
    connect(richSelectAll_, &QAction::triggered, this, [this] {
        if (rich_)
            rich_->SelectAll();
    });
    rich_->SetPopupMenu(richMenu_);
    rich_->OnSelectionChange = [this] { SelectionChanged(); };
    rich_->OnURLClick = [this](const QString& url) { ShellOpen(url, this); };
}

void TVuViewer::LoadRich()
{
    Unload();
    EnsureRichText();
    if (!rich_)
        return;
    rich_->SetTextFont(TextFont());
    rich_->SetColor(textColor_);
    rich_->SetWordWrap(textWrap_);
    rich_->SetBorder(borderStyleInner_);
    bool loaded;
    {
        WaitCursor wait;
        loaded = rich_->LoadRichFile(fileName_);
    }
    if (!loaded)
        ReportWithName(ViewerMessages.CannotLoadFile, fileName_);
    SelectionChanged();
    rich_->Widget()->show();
    if (MayFocusSubView())
        rich_->Widget()->setFocus();
}

// --- Images and players ---------------------------------------------------------------------------

void TVuViewer::LoadMedia(const TVuPicture* picture)
{
    if (IsImageFile())
        LoadImage(picture);
    else
        LoadPlayer();
}

void TVuViewer::EnsureImage()
{
    if (image_ || !makers_.image)
        return;
    image_ = makers_.image(this);
    if (!image_)
        return;
    image_->Widget()->setGeometry(contentsRect());
    image_->Widget()->hide();
    image_->OnOptionsChange = [this] { emit OnOptionsChange(); };
}

void TVuViewer::LoadImage(const TVuPicture* picture)
{
    isImage_ = true;
    EnsureImage();
    if (!image_)
        return;
    TVuImageLook look;
    look.background = mediaColor_;
    look.transparent = mediaTransparent_;
    look.resample = mediaResample_;
    look.resampleColor = mediaColor_;
    image_->SetLook(look);
    QString error;
    {
        WaitCursor wait;
        error = image_->LoadPicture(fileName_, picture);
    }
    if (!error.isEmpty())
        Report(error);
    image_->SetFitToWindow(mediaFit_);
    image_->SetFitOnlyBig(mediaFitOnlyBig_);
    image_->SetCenter(mediaCenter_);
    image_->SetKeepPosition(mediaKeepPosition_);
    image_->SetBorder(borderStyleInner_);
    image_->Widget()->show();
    if (MayFocusSubView())
        image_->Widget()->setFocus();
    isIcon_ = image_->IsIcon();
    isMetafile_ = image_->IsMetafile();
}

TVuMediaPlayerView* TVuViewer::MediaPlayer() const
{
    return players_[mediaMode_].get();
}

TVuMediaPlayerView* TVuViewer::EnsurePlayer()
{
    if (!playbackEndTimer_) {
        playbackEndTimer_ = new QTimer(this);
        playbackEndTimer_->setSingleShot(true);
        playbackEndTimer_->setInterval(500);
        connect(playbackEndTimer_, &QTimer::timeout, this, [this] { emit OnMediaPlaybackEnd(); });
    }
    std::unique_ptr<TVuMediaPlayerView>& slot = players_[mediaMode_];
    if (!slot && makers_.mediaPlayer && mediaMode_ != vmmodeNone) {
        slot = makers_.mediaPlayer(mediaMode_, this);
        if (slot) {
            slot->Widget()->setGeometry(contentsRect());
            slot->OnStopped = [this] {
                playbackEndTimer_->setInterval(mediaPlaylistPause_);
                playbackEndTimer_->start();
            };
        }
    }
    for (auto& player : players_)
        if (player)
            player->Widget()->hide();
    return slot.get();
}

void TVuViewer::LoadPlayer()
{
    isMedia_ = true;
    // A change the user made in the player carries over to the next file.
    mediaVolume_ = MediaVolume();
    mediaMute_ = MediaMute();
    TVuMediaPlayerView* player = EnsurePlayer();
    if (!player)
        return;
    TVuMediaLoad load;
    load.fileName = fileName_;
    load.volumeLevel = mediaVolume_;
    load.mute = mediaMute_;
    load.playCount = mediaPlayCount_;
    load.autoPlay = mediaAutoPlay_;
    load.fit = mediaFit_;
    load.border = borderStyleInner_ != QFrame::NoFrame;
    load.full = mediaFull_;
    player->Widget()->show();
    if (MayFocusSubView())
        player->Widget()->setFocus();
    const QString error = player->Load(load);
    PlaceMediaControl();
    if (!error.isEmpty())
        Report(error);
}

void TVuViewer::PlaceMediaControl()
{
    if (TVuMediaPlayerView* player = MediaPlayer())
        player->Place();
}

// --- Web view ---------------------------------------------------------------------------------------

void TVuViewer::EnsureWeb()
{
    if (web_ || !makers_.web)
        return;
    web_ = makers_.web(this);
    if (!web_)
        return;
    web_->Widget()->setGeometry(contentsRect());
    web_->Widget()->hide();
    web_->OnDocumentComplete = [this] { WebDocumentComplete(); };
    web_->OnNavigateComplete = [this] { emit OnWebNavigateComplete(); };
    web_->Blank();
}

void TVuViewer::LoadWeb()
{
    Unload();
    EnsureWeb();
    if (!web_)
        return;
    const bool pdf = ExtensionInList(Utf8(fileName_), "pdf");
    if (!pdf && borderStyleInner_ == QFrame::NoFrame)
        web_->RemoveBorder();
    web_->Widget()->show();
    web_->Navigate(fileName_, webWaitForNavigate_);
}

void TVuViewer::WebDocumentComplete()
{
    const bool pdf = ExtensionInList(Utf8(fileName_), "pdf");
    if (web_ && web_->Widget()->isVisible() && mode_ == vmodeWeb && !pdf) {
        if (MayFocusSubView())
            web_->FocusDocument();
        if (borderStyleInner_ == QFrame::NoFrame)
            web_->RemoveBorder();
    }
    emit OnWebDocumentComplete();
}

// --- Plugins ------------------------------------------------------------------------------------------

void TVuViewer::LoadPlugin(bool autoDetect)
{
    if (!pluginHost_)
        return;
    pluginHost_->SetFocusOnLoad(isFocused_);
    pluginHost_->OpenMatched(fileName_, PluginParams(), autoDetect);
    pluginHost_->ResizeActive(pluginRect_.isNull() ? QRect(0, 0, width(), height()) : pluginRect_);
}
