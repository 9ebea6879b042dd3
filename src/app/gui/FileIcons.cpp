#include "app/gui/FileIcons.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

namespace {

QIcon Fallback(bool folder)
{
    return QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
}

}  // namespace

QIcon FileIcons::icon(IconType type) const
{
    QIcon themed = QFileIconProvider::icon(type);
    return themed.isNull() || themed.availableSizes().isEmpty() ? Fallback(type == Folder || type == Drive) : themed;
}

QIcon FileIcons::icon(const QFileInfo& info) const
{
    QIcon themed = QFileIconProvider::icon(info);
    return themed.isNull() || themed.availableSizes().isEmpty() ? Fallback(info.isDir()) : themed;
}
