#include "app/gui/ShellListView.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

#include "app/gui/FileIcons.h"
#include "app/gui/ThumbnailModel.h"

TShellListView::TShellListView(QWidget* parent) : QWidget(parent)
{
    fs_ = new QFileSystemModel(this);
    fs_->setFilter(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    fs_->setNameFilterDisables(false);
    fs_->setReadOnly(true);
    fs_->setIconProvider(&icons_);
    model_ = new ThumbnailModel(fs_, this);

    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("listview_items"));
    list_->setModel(model_);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setUniformItemSizes(true);
    list_->setResizeMode(QListView::Adjust);  // icons auto-arranged

    report_ = new QTreeView(this);
    report_->setObjectName(QStringLiteral("listview_report"));
    report_->setModel(model_);
    report_->setRootIsDecorated(false);
    report_->setItemsExpandable(false);
    report_->setSortingEnabled(true);
    report_->sortByColumn(0, Qt::AscendingOrder);
    report_->setSelectionMode(QAbstractItemView::SingleSelection);
    report_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    report_->setUniformRowHeights(true);

    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(list_);
    stack_->addWidget(report_);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(report_)})
        connect(view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
            emit FileClicked(fs_->filePath(model_->mapToSource(index)));
        });
    // The entries of a folder come in after SetFolder; the file shown gets
    // its mark once they are there (and again when the folder is re-read).
    connect(fs_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (QDir(loaded).absolutePath() == folder_)
            MarkCurrentFile();
    });
    ApplyStyle();
}

TShellListView::~TShellListView() = default;

void TShellListView::SetViewStyle(int style)
{
    if (style < vsIcon || style > vsReport)
        return;
    style_ = style;
    ApplyStyle();
}

bool TShellListView::Thumbnails() const
{
    return model_->Thumbnails();
}

void TShellListView::SetThumbnails(bool on)
{
    model_->SetThumbnails(on);
    ApplyStyle();
}

QSize TShellListView::ThumbnailSize() const
{
    return model_->ThumbnailSize();
}

void TShellListView::SetThumbnailSize(QSize size)
{
    model_->SetThumbnailSize(size);
    ApplyStyle();
}

void TShellListView::SetFolder(const QString& folder)
{
    const QString absolute = QDir(folder).absolutePath();
    if (folder.isEmpty() || !QDir(absolute).exists())
        return;
    folder_ = absolute;
    const QModelIndex root = model_->mapFromSource(fs_->setRootPath(folder_));
    list_->setRootIndex(root);
    report_->setRootIndex(root);
    MarkCurrentFile();
}

void TShellListView::SetCurrentFile(const QString& path)
{
    currentFile_ = path.isEmpty() ? QString() : QDir(path).absolutePath();
    MarkCurrentFile();
}

void TShellListView::MarkCurrentFile()
{
    const bool ours = !currentFile_.isEmpty() && QFileInfo(currentFile_).absolutePath() == folder_;
    const QModelIndex index = ours ? model_->mapFromSource(fs_->index(currentFile_)) : QModelIndex();
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(report_)}) {
        QItemSelectionModel* selection = view->selectionModel();
        if (!index.isValid() || index.parent() != view->rootIndex()) {
            selection->clear();
            continue;
        }
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(index);
    }
}

QAbstractItemView* TShellListView::CurrentView() const
{
    return stack_->currentWidget() == report_ ? static_cast<QAbstractItemView*>(report_) : list_;
}

void TShellListView::ApplyStyle()
{
    if (model_->Thumbnails()) {
        const QSize thumb = model_->ThumbnailSize();
        list_->setViewMode(QListView::IconMode);
        list_->setFlow(QListView::LeftToRight);
        list_->setWrapping(true);
        list_->setIconSize(thumb);
        list_->setGridSize(QSize(thumb.width() + 24, thumb.height() + fontMetrics().height() * 2 + 8));
        stack_->setCurrentWidget(list_);
        return;
    }
    list_->setGridSize(QSize());
    switch (style_) {
    case vsIcon:
        list_->setViewMode(QListView::IconMode);
        list_->setIconSize(QSize(32, 32));
        list_->setGridSize(QSize(80, 64));
        stack_->setCurrentWidget(list_);
        break;
    case vsSmallIcon:
        list_->setViewMode(QListView::ListMode);
        list_->setFlow(QListView::LeftToRight);
        list_->setWrapping(true);
        list_->setIconSize(QSize(16, 16));
        list_->setGridSize(QSize(120, 20));
        stack_->setCurrentWidget(list_);
        break;
    case vsList:
        list_->setViewMode(QListView::ListMode);
        list_->setFlow(QListView::TopToBottom);
        list_->setWrapping(false);
        list_->setIconSize(QSize(16, 16));
        stack_->setCurrentWidget(list_);
        break;
    case vsReport:
        stack_->setCurrentWidget(report_);
        break;
    }
}
