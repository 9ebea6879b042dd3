#include "app/gui/ThumbnailModel.h"

#include <QFileSystemModel>
#include <QFuture>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// Decodes `path` scaled to fit `box`; a null image when it is no picture.
QImage MakeThumbnail(const QString& path, QSize box)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid()) {
        const QSize scaled = full.scaled(box, Qt::KeepAspectRatio);
        if (scaled.width() < full.width())
            reader.setScaledSize(scaled.expandedTo(QSize(1, 1)));
    }
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > box.width() || image.height() > box.height()))
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

bool LooksLikeImage(const QString& path)
{
    static const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    return formats.contains(path.mid(dot + 1).toLower().toLatin1());
}

}  // namespace

ThumbnailModel::ThumbnailModel(QFileSystemModel* source, QObject* parent)
    : QIdentityProxyModel(parent), fsModel_(source), cache_(400)
{
    setSourceModel(source);
    // Two decoders at most: the machine has other work, and the list shows
    // pictures as they come anyway.
    pool_.setMaxThreadCount(2);
}

ThumbnailModel::~ThumbnailModel()
{
    pool_.clear();
    pool_.waitForDone();
}

void ThumbnailModel::SetThumbnails(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    if (!on) {
        pool_.clear();
        ++generation_;
        pending_.clear();
    }
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void ThumbnailModel::SetThumbnailSize(QSize size)
{
    size = size.expandedTo(QSize(8, 8)).boundedTo(QSize(1024, 1024));
    if (size == size_)
        return;
    size_ = size;
    pool_.clear();
    ++generation_;
    pending_.clear();
    cache_.clear();
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole && enabled_ && index.column() == 0) {
        const QString path = fsModel_->filePath(mapToSource(index));
        if (const QPixmap* pm = cache_.object(path))
            return *pm;
        if (LooksLikeImage(path))
            Request(path);
    }
    return QIdentityProxyModel::data(index, role);
}

void ThumbnailModel::Request(const QString& path) const
{
    if (pending_.contains(path))
        return;
    pending_.insert(path);
    const QSize box = size_;
    const int generation = generation_;
    auto* self = const_cast<ThumbnailModel*>(this);
    QtConcurrent::run(&pool_, MakeThumbnail, path, box).then(self, [self, path, generation](const QImage& image) {
        self->Deliver(path, image, generation);
    });
}

void ThumbnailModel::Deliver(const QString& path, const QImage& image, int generation)
{
    if (generation != generation_)
        return;  // made for a size or switch that no longer holds
    pending_.remove(path);
    if (image.isNull()) {
        // Not a readable picture: remember the type icon so it is not tried again.
        cache_.insert(path, new QPixmap(fsModel_->fileIcon(fsModel_->index(path)).pixmap(size_)));
    } else {
        cache_.insert(path, new QPixmap(QPixmap::fromImage(image)));
    }
    const QModelIndex idx = mapFromSource(fsModel_->index(path));
    if (idx.isValid())
        emit dataChanged(idx, idx, {Qt::DecorationRole});
    emit ThumbnailReady(path);
}

void ThumbnailModel::WaitForPending()
{
    pool_.waitForDone();
}
