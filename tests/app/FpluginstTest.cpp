// The plugin manager window and the thumbnails of the file list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>

#include "TempDir.h"
#include "app/gui/Fpluginst.h"
#include "app/gui/ShellListView.h"
#include "app/gui/ThumbnailModel.h"

namespace {

TEST(FpluginstTest, ListAndButtonsAsDesigned)
{
    TFpluginst dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Plugins"));
    EXPECT_EQ(dialog.size(), QSize(350, 291));
    EXPECT_EQ(dialog.pluginlist->geometry(), QRect(0, 15, 347, 241));
    EXPECT_EQ(dialog.btnokplug->geometry(), QRect(190, 262, 75, 25));
    EXPECT_EQ(dialog.btncancelplug->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(dialog.pluglabel->text(), QStringLiteral("Список доступных плагинов"));

    dialog.SetPlugins({{"one.wlx", true}, {"two.wlx", false}, {"three.wlx", true}});
    EXPECT_EQ(dialog.PluginNames(), QStringList({"one.wlx", "two.wlx", "three.wlx"}));
    EXPECT_EQ(dialog.UncheckedNames(), QStringList{"two.wlx"});
    dialog.pluginlist->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(dialog.UncheckedNames(), QStringList({"two.wlx", "three.wlx"}));

    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    dialog.btncancelplug->click();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().first().toInt(), QDialog::Rejected);
}

TEST(ThumbnailTest, PicturesAreMadeOffTheGuiThread)
{
    TempDir dir;
    QImage big(400, 200, QImage::Format_RGB32);
    big.fill(Qt::red);
    ASSERT_TRUE(big.save(QString::fromStdString(dir.path() + "red.png")));
    dir.Write("notes.txt", "not a picture");

    TShellListView list;
    list.SetThumbnailSize(QSize(64, 64));
    list.SetThumbnails(true);
    QSignalSpy ready(list.Model(), &ThumbnailModel::ThumbnailReady);
    QSignalSpy loaded(list.Model()->sourceModel(), SIGNAL(directoryLoaded(QString)));
    list.SetFolder(QString::fromStdString(dir.path()));
    ASSERT_TRUE(loaded.wait(5000));

    QAbstractItemView* view = list.CurrentView();
    const QModelIndex root = view->rootIndex();
    ASSERT_EQ(list.Model()->rowCount(root), 2);
    QModelIndex picture;
    for (int r = 0; r < 2; ++r)
        if (list.Model()->index(r, 0, root).data().toString() == QStringLiteral("red.png"))
            picture = list.Model()->index(r, 0, root);
    ASSERT_TRUE(picture.isValid());

    // Asking for the picture does not decode it here: the answer comes later.
    const QVariant first = picture.data(Qt::DecorationRole);
    EXPECT_FALSE(first.canConvert<QPixmap>() && first.value<QPixmap>().width() == 64);
    ASSERT_TRUE(ready.count() > 0 || ready.wait(5000));
    const QPixmap pm = picture.data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_EQ(pm.size(), QSize(64, 32));  // scaled into the box, proportions kept
    EXPECT_EQ(pm.toImage().pixelColor(10, 10), QColor(Qt::red));
}

}  // namespace
