// TVuViewer: construction, opening, mode changes, unloading, which
// sub-view is shown and where the focus goes.
#include "viewer/gui/VuViewer.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QTimer>

#include <sys/stat.h>

#include "binhex/gui/VuBinHex.h"
#include "text/core/VuStream.h"
#include "text/core/VuViewerMsg.h"
#include "text/core/VuxFProc.h"
#include "viewer/core/VuExtLists.h"

namespace {

// Message texts carry one "%s" for the file name.
void ReportWithName(const std::u16string& format, const QString& name)
{
    QString text = QString::fromStdU16String(format);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, name);
    ViewerMessage(text.toStdU16String());
}

std::string Utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

}  // namespace

// The detection's view of the plugin host: the file goes to the first
// plugin whose detect string takes it, with the viewer's current settings.
class TVuViewer::PluginProbe final : public TVuPluginProbe {
public:
    explicit PluginProbe(TVuViewer& viewer) : viewer_(viewer) {}

    bool OpenMatched(const std::string& fileName) override
    {
        TVuPluginHost* host = viewer_.pluginHost_.get();
        if (!host)
            return false;
        host->SetFocusOnLoad(viewer_.isFocused_);
        return host->OpenMatched(QString::fromUtf8(fileName.data(), qsizetype(fileName.size())),
                                 viewer_.PluginParams(), true);
    }

private:
    TVuViewer& viewer_;
};

TVuViewer::TVuViewer(QWidget* parent) : QFrame(parent), makers_(ViewerSubViewMakers())
{
    setFrameShape(QFrame::NoFrame);
    resize(200, 150);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);

    textView_ = new TVuBinHex(this);
    textView_->setObjectName(QStringLiteral("textview"));
    textView_->resize(1, 1);
    textView_->hide();
    textView_->SetColor(textColor_);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    textView_->setFont(font);
    connect(textView_, &TVuBinHex::OnSelectionChange, this, &TVuViewer::SelectionChanged);
    connect(textView_, &TVuBinHex::OnOptionsChange, this, &TVuViewer::OnOptionsChange);
    connect(textView_, &TVuBinHex::OnFileReload, this, &TVuViewer::OnTextFileReload);

    hostProbe_ = std::make_unique<PluginProbe>(*this);
    if (makers_.pluginHost)
        pluginHost_ = makers_.pluginHost();
    if (pluginHost_) {
        pluginHost_->OnBeforeLoading = [this](const QString& name) { emit OnPluginsBeforeLoading(name); };
        pluginHost_->OnAfterLoading = [this](const QString& name) { emit OnPluginsAfterLoading(name); };
    }
    HideSubViews();
}

TVuViewer::~TVuViewer()
{
    destroying_ = true;
    Unload();
    if (pluginHost_)
        pluginHost_->UnloadAll();
    pluginHost_.reset();
    for (auto& player : players_)
        player.reset();
    web_.reset();
    image_.reset();
    rich_.reset();
}

// --- Opening -------------------------------------------------------------------------

bool TVuViewer::Open(const QString& name, const TVuPicture* picture)
{
    const QString full = name.isEmpty() ? QString() : QString::fromStdString(FullPathOf(Utf8(name)));
    if (full == fileName_)
        return true;

    if (IsTextMode())
        encoding_ = TextEncoding();  // keep what the user chose in the view
    if (HasFile())
        emit OnFileUnload();
    fileName_ = full;
    fileSize_ = 0;
    Unload();
    if (full.isEmpty()) {
        HideSubViews();
        return true;
    }

    const QByteArray path = QFile::encodeName(full);
    struct stat st{};
    if (::stat(path.constData(), &st) != 0 || S_ISDIR(st.st_mode)) {
        ClearFile();
        HideSubViews();
        ReportWithName(ViewerMessages.FileNotFound, full);
        return false;
    }
    fileSize_ = int64_t(st.st_size);

    // A FIFO or a socket cannot be read from its start again; it counts as
    // a file that cannot be opened rather than one the open would hang on.
    std::unique_ptr<TVuFileStream> stream;
    if (!S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode))
        stream = TVuFileStream::Open(path.toStdString());
    if (!stream) {
        ClearFile();
        HideSubViews();
        ReportWithName(ViewerMessages.CannotOpenFile, full);
        return false;
    }
    stream.reset();

    if (detect_.ModeDetect) {
        TVuDetectResult result{mode_, encoding_};
        DetectMode(path.toStdString(), detect_, probe_ ? probe_ : hostProbe_.get(), result);
        mode_ = result.Mode;
        encoding_ = result.Encoding;
    } else if (mode_ == vmodeWLX && pluginHost_) {
        // No plugin was asked to take the new file: the plugin window must
        // not go on showing the previous one under the new name.
        pluginHost_->CloseActive();
    }
    HideSubViews();
    // In vmodeWLX the detection has already put the file into a plugin.
    LoadByMode(picture, false);
    emit OnFileLoad();
    return true;
}

void TVuViewer::SetMode(TVuViewerMode mode)
{
    if (IsTextMode())
        encoding_ = TextEncoding();  // keep what the user chose in the view
    if (HasFile())
        emit OnFileUnload();
    mode_ = mode;
    HideSubViews();
    if (!HasFile())
        return;
    LoadByMode(nullptr, true);
    emit OnFileLoad();
}

void TVuViewer::LoadByMode(const TVuPicture* picture, bool forcedPlugin)
{
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeHex:
    case vmodeUnicode:
        LoadText();
        break;
    case vmodeRTF:
        LoadRich();
        break;
    case vmodeMedia:
        LoadMedia(picture);
        break;
    case vmodeWeb:
        LoadWeb();
        break;
    case vmodeWLX:
        if (forcedPlugin) {
            Unload();
            LoadPlugin(false);
        }
        break;
    }
}

void TVuViewer::ClearFile()
{
    fileName_.clear();
    fileSize_ = 0;
}

// --- Unloading and visibility ---------------------------------------------------------------

void TVuViewer::Unload()
{
    textView_->CloseSource();
    hadImage_ = image_ && image_->HasPicture();
    if (hadImage_)
        image_->ClearPicture();
    if (!destroying_) {
        if (rich_)
            rich_->Clear();
        for (auto& player : players_)
            if (player)
                player->Release();
        if (web_)
            web_->Blank();
    }
    isImage_ = false;
    isIcon_ = false;
    isMetafile_ = false;
    isMedia_ = false;
}

bool TVuViewer::IsImageFile() const
{
    return ExtensionInList(Utf8(fileName_), ExtImagesList);
}

void TVuViewer::HideSubViews()
{
    const bool file = HasFile();
    const bool image = file && mode_ == vmodeMedia && IsImageFile();
    const bool player = file && mode_ == vmodeMedia && !image;
    textView_->setVisible(file && IsTextMode());
    if (rich_)
        rich_->Widget()->setVisible(file && mode_ == vmodeRTF);
    if (web_)
        web_->Widget()->setVisible(file && mode_ == vmodeWeb);
    if (image_)
        image_->Widget()->setVisible(image);
    for (int kind = 0; kind < 4; ++kind)
        if (players_[kind])
            players_[kind]->Widget()->setVisible(player && kind == mediaMode_);
    if (pluginHost_ && !(file && mode_ == vmodeWLX))
        pluginHost_->CloseActive();
}

// --- Focus ------------------------------------------------------------------------------------

bool TVuViewer::MayFocusSubView() const
{
    if (!isVisible() || !isEnabled())
        return false;
    if (isFocused_)
        return true;
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void TVuViewer::FocusSubView()
{
    switch (mode_) {
    case vmodeText:
    case vmodeBinary:
    case vmodeHex:
    case vmodeUnicode:
        if (textView_->isVisible())
            textView_->setFocus();
        break;
    case vmodeRTF:
        if (rich_ && rich_->Widget()->isVisible())
            rich_->Widget()->setFocus();
        break;
    case vmodeMedia:
        if (isImage_) {
            if (image_)
                image_->Widget()->setFocus();
        } else if (TVuMediaPlayerView* player = MediaPlayer(); player && player->Widget()->isEnabled()) {
            player->Widget()->setFocus();
        }
        break;
    case vmodeWeb:
        if (web_ && web_->Widget()->isVisible() && !ExtensionInList(Utf8(fileName_), "pdf") && MayFocusSubView())
            web_->FocusDocument();
        break;
    case vmodeWLX:
        if (pluginHost_)
            pluginHost_->FocusActive();
        break;
    }
}

void TVuViewer::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    FocusSubView();
}

void TVuViewer::mousePressEvent(QMouseEvent* event)
{
    // A click gives the viewer the keyboard focus, which it passes on.
    setFocus(Qt::MouseFocusReason);
    QFrame::mousePressEvent(event);
}

void TVuViewer::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    // Sub-views fill the viewer.
    const QRect area = contentsRect();
    textView_->setGeometry(area);
    if (rich_)
        rich_->Widget()->setGeometry(area);
    if (image_)
        image_->Widget()->setGeometry(area);
    if (web_)
        web_->Widget()->setGeometry(area);
    for (auto& player : players_)
        if (player)
            player->Widget()->setGeometry(area);
    PlaceMediaControl();
}

// --- Plugins ------------------------------------------------------------------------------------

void TVuViewer::ClearPlugins()
{
    plugins_.clear();
    if (pluginHost_)
        pluginHost_->UnloadAll();
}

bool TVuViewer::AddPlugin(const QString& fileName, const QString& detectString)
{
    if (fileName.isEmpty())
        return false;
    if (pluginHost_ && !pluginHost_->AddPlugin(fileName, detectString))
        return false;
    plugins_.push_back({fileName, detectString});
    return true;
}

void TVuViewer::SetPluginsParent(QWidget* parent, const QString& settingsFile)
{
    pluginsParent_ = parent;
    pluginsSettingsFile_ = settingsFile;
    if (pluginHost_)
        pluginHost_->InitParams(parent, settingsFile);
}

void TVuViewer::ResizePlugins(const QRect& rect)
{
    pluginRect_ = rect;
    if (pluginHost_)
        pluginHost_->ResizeActive(rect);
}

TVuPluginParams TVuViewer::PluginParams() const
{
    TVuPluginParams p;
    p.fit = mediaFit_;
    p.fitLargerOnly = mediaFitOnlyBig_;
    p.center = mediaCenter_;
    p.wrap = textWrap_;
    p.ansi = TextEncoding() == vEncANSI;
    return p;
}

void TVuViewer::ResendPluginParams()
{
    if (mode_ == vmodeWLX && pluginHost_)
        pluginHost_->SendNewParams(PluginParams());
}

QString TVuViewer::PluginName() const
{
    if (mode_ != vmodeWLX || !pluginHost_)
        return {};
    return pluginHost_->ActivePluginName();
}
