// The file list of the main window: the files of one folder in one of the
// four view styles, with thumbnails of pictures as a fifth look.
#pragma once

#include <QSize>
#include <QWidget>

#include "app/gui/FileIcons.h"

class QAbstractItemView;
class QFileSystemModel;
class QListView;
class QStackedLayout;
class QTreeView;
class ThumbnailModel;

class TShellListView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ViewStyle READ ViewStyle WRITE SetViewStyle)
    Q_PROPERTY(bool Thumbnails READ Thumbnails WRITE SetThumbnails)
    Q_PROPERTY(QString Folder READ Folder WRITE SetFolder)

public:
    // The list styles, numbered as conf.ini's ViewMode numbers them.
    enum Style { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };

    explicit TShellListView(QWidget* parent = nullptr);
    ~TShellListView() override;

    int ViewStyle() const { return style_; }
    // Values outside 0..3 are ignored.
    void SetViewStyle(int style);

    // Thumbnails show pictures of image files in a large-icon grid.
    bool Thumbnails() const;
    void SetThumbnails(bool on);
    QSize ThumbnailSize() const;
    void SetThumbnailSize(QSize size);

    // The folder listed (absolute); an empty or missing folder is ignored
    // (the list keeps the folder it shows).
    QString Folder() const { return folder_; }
    void SetFolder(const QString& folder);

    // Marks `path` (a file of the listed folder) as the list's current item
    // and scrolls it into view; the folder's entries arrive from a background
    // reader, so the mark is set again once they are there. An empty path or
    // a file of another folder leaves the list unmarked. Emits nothing.
    void SetCurrentFile(const QString& path);
    QString CurrentFile() const { return currentFile_; }

    // The view currently shown (one of two: a list view for icons, small
    // icons, list and thumbnails; a table for the report style).
    QAbstractItemView* CurrentView() const;
    ThumbnailModel* Model() const { return model_; }

signals:
    // A file of the list was clicked; `path` is its full name.
    void FileClicked(const QString& path);

private:
    void ApplyStyle();
    void MarkCurrentFile();

    FileIcons icons_;  // outlives the model, which refers to it
    QFileSystemModel* fs_;
    ThumbnailModel* model_;
    QListView* list_;
    QTreeView* report_;
    QStackedLayout* stack_;
    int style_ = vsList;
    QString folder_;
    QString currentFile_;
};
