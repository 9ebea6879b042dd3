#include "app/gui/DropFiles.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

TDropFiles::TDropFiles(QWidget* window) : QObject(window), window_(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QStringList TDropFiles::DroppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir())
            continue;
        files << path;
    }
    return files;
}

bool TDropFiles::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (DroppedFiles(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFiles(drop->mimeData());
        if (files.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        window_->raise();
        window_->activateWindow();
        emit DropFiles(files);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
