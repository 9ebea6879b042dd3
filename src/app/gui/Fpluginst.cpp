#include "app/gui/Fpluginst.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

// Where the link label points: a catalogue of Lister plugins.
const char* const kPluginCatalogue = "https://www.ghisler.com/plugins.htm";

}  // namespace

TFpluginst::TFpluginst(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Fpluginst"));
    setWindowTitle(QStringLiteral("Plugins"));
    setFixedSize(350, 291);

    pluglabel = new QLabel(QStringLiteral("Список доступных плагинов"), this);
    pluglabel->setObjectName(QStringLiteral("pluglabel"));
    pluglabel->move(0, 0);

    wldownplug = new QLabel(this);
    wldownplug->setObjectName(QStringLiteral("wldownplug"));
    wldownplug->setText(QStringLiteral("<a href=\"%1\">Скачать дополнительные плагины</a>")
                            .arg(QLatin1String(kPluginCatalogue)));
    wldownplug->setOpenExternalLinks(true);
    wldownplug->move(163, 0);

    pluginlist = new QListWidget(this);
    pluginlist->setObjectName(QStringLiteral("pluginlist"));
    pluginlist->setGeometry(0, 15, 347, 241);
    pluginlist->setFrameShape(QFrame::Box);
    pluginlist->setFrameShadow(QFrame::Plain);
    pluginlist->setStyleSheet(QStringLiteral("QListWidget#pluginlist { background: white; }"));
    pluginlist->setUniformItemSizes(true);

    btnokplug = new QPushButton(QStringLiteral("OK"), this);
    btnokplug->setObjectName(QStringLiteral("btnokplug"));
    btnokplug->setGeometry(190, 262, 75, 25);
    btnokplug->setDefault(true);
    connect(btnokplug, &QPushButton::clicked, this, &QDialog::accept);

    btncancelplug = new QPushButton(QStringLiteral("Отмена"), this);
    btncancelplug->setObjectName(QStringLiteral("btncancelplug"));
    btncancelplug->setGeometry(271, 262, 75, 25);
    connect(btncancelplug, &QPushButton::clicked, this, &QDialog::reject);
}

void TFpluginst::SetPlugins(const std::vector<PluginItem>& items)
{
    pluginlist->clear();
    for (const PluginItem& item : items) {
        auto* row = new QListWidgetItem(QString::fromStdString(item.name), pluginlist);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setCheckState(item.enabled ? Qt::Checked : Qt::Unchecked);
        row->setSizeHint(QSize(row->sizeHint().width(), 16));
    }
}

QStringList TFpluginst::PluginNames() const
{
    QStringList names;
    for (int i = 0; i < pluginlist->count(); ++i)
        names << pluginlist->item(i)->text();
    return names;
}

QStringList TFpluginst::UncheckedNames() const
{
    QStringList names;
    for (int i = 0; i < pluginlist->count(); ++i)
        if (pluginlist->item(i)->checkState() != Qt::Checked)
            names << pluginlist->item(i)->text();
    return names;
}

void TFpluginst::showEvent(QShowEvent* event)
{
    // Centred on the main window each time it is shown.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}
