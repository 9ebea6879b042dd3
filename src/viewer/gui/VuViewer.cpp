#include "viewer/gui/VuViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>

#include <sys/stat.h>

#include "text/core/VuStream.h"
#include "text/core/VuViewerMsg.h"
#include "viewer/gui/VuColors.h"

namespace {

// Message texts carry one "%s" for the file name.
void ReportWithName(const std::u16string& format, const QString& name)
{
    QString text = QString::fromStdU16String(format);
    text.replace(text.indexOf(QLatin1String("%s")), 2, name);
    ViewerMessage(text.toStdU16String());
}

}  // namespace

TVuViewer::TVuViewer(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    resize(200, 150);
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(true);
    textFont_ = QFont(QStringLiteral("Courier New"), 10);
    textFontOEM_ = QFont(QStringLiteral("Terminal"), 9);
    textFontOEM_.setStyleHint(QFont::Monospace);
}

TVuViewer::~TVuViewer() = default;

bool TVuViewer::Open(const QString& name)
{
    const QString full = name.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(name).absoluteFilePath());
    if (full == fileName_)
        return true;

    if (!fileName_.isEmpty())
        emit OnFileUnload();
    fileName_ = full;
    fileSize_ = full.isEmpty() ? 0 : QFileInfo(full).size();
    if (full.isEmpty())
        return true;

    const QByteArray path = QFile::encodeName(full);
    struct stat st{};
    if (::stat(path.constData(), &st) != 0 || S_ISDIR(st.st_mode)) {
        CloseFile();
        ReportWithName(ViewerMessages.FileNotFound, full);
        return false;
    }
    // A FIFO or socket cannot be shown from the start again; it counts as
    // a file that cannot be opened rather than one the open would hang on.
    std::unique_ptr<TVuFileStream> stream;
    if (!S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode))
        stream = TVuFileStream::Open(path.toStdString());
    if (!stream) {
        CloseFile();
        ReportWithName(ViewerMessages.CannotOpenFile, full);
        return false;
    }
    stream.reset();

    if (detect_.ModeDetect) {
        TVuDetectResult result{mode_, encoding_};
        DetectMode(path.toStdString(), detect_, probe_, result);
        mode_ = result.Mode;
        encoding_ = result.Encoding;
    }
    emit OnFileLoad();
    return true;
}

void TVuViewer::SetMode(TVuViewerMode mode)
{
    if (!fileName_.isEmpty())
        emit OnFileUnload();
    mode_ = mode;
    if (!fileName_.isEmpty())
        emit OnFileLoad();
}

void TVuViewer::CloseFile()
{
    fileName_.clear();
    fileSize_ = 0;
}

void TVuViewer::SetTextColor(TColor c)
{
    textColor_ = c;
}

void TVuViewer::SetMediaVolume(int level)
{
    mediaVolume_ = std::clamp(level, 0, 10);
}

void TVuViewer::ClearPlugins()
{
    plugins_.clear();
}

bool TVuViewer::AddPlugin(const QString& fileName, const QString& detectString)
{
    if (fileName.isEmpty())
        return false;
    plugins_.push_back({fileName, detectString});
    return true;
}

void TVuViewer::SetPluginsParent(QWidget* parent, const QString& settingsFile)
{
    pluginsParent_ = parent;
    pluginsSettingsFile_ = settingsFile;
}

void TVuViewer::mousePressEvent(QMouseEvent* event)
{
    // A click gives the viewer the keyboard focus, as a click on any view would.
    setFocus(Qt::MouseFocusReason);
    QFrame::mousePressEvent(event);
}
