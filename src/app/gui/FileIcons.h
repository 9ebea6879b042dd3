// File and folder icons for the tree and the list. The desktop's icon
// theme gives them where there is one; without a theme (a bare X server,
// a minimal desktop) the style's generic file and folder pictures stand in,
// so no item is ever shown without a picture.
#pragma once

#include <QFileIconProvider>

class FileIcons : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
};
