// Thumbnails for the file list: a proxy over the file system model whose
// pictures of image files are made on worker threads and swapped in when
// ready. Decoding runs off the user-interface thread into a QImage; only
// the ready image becomes a pixmap, on the user-interface thread.
#pragma once

#include <QCache>
#include <QIdentityProxyModel>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QThreadPool>

class QFileSystemModel;

class ThumbnailModel : public QIdentityProxyModel {
    Q_OBJECT

public:
    explicit ThumbnailModel(QFileSystemModel* source, QObject* parent = nullptr);
    ~ThumbnailModel() override;

    // With thumbnails on, image files show a picture of themselves scaled
    // into `ThumbnailSize`; others keep their type icon.
    void SetThumbnails(bool on);
    bool Thumbnails() const { return enabled_; }
    // Sizes below 8 or above 1024 pixels are clamped; changing the size
    // drops the pictures made so far.
    void SetThumbnailSize(QSize size);
    QSize ThumbnailSize() const { return size_; }

    QVariant data(const QModelIndex& index, int role) const override;

    // Waits for the pictures being made (tests).
    void WaitForPending();

signals:
    // A picture for `path` is ready (it is then in the model).
    void ThumbnailReady(const QString& path);

private:
    void Request(const QString& path) const;
    void Deliver(const QString& path, const QImage& image, int generation);

    QFileSystemModel* fsModel_;
    bool enabled_ = false;
    QSize size_{100, 100};
    int generation_ = 0;  // bumped when made pictures no longer fit
    mutable QCache<QString, QPixmap> cache_;
    mutable QSet<QString> pending_;
    mutable QThreadPool pool_;
};
