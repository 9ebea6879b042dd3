// TFpluginst: the plugin manager window. It lists the plugin files of the
// plugins folder with a check mark for each enabled one; the main window
// fills it and reads the marks back. It lives as long as the main window,
// so the marks survive between showings.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "app/core/PluginList.h"

class QLabel;
class QListWidget;
class QPushButton;

class TFpluginst : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    explicit TFpluginst(QWidget* parent = nullptr);

    // Makes `items` the list, in order, each checked when enabled.
    void SetPlugins(const std::vector<PluginItem>& items);

    // The names listed, in list order.
    QStringList PluginNames() const;
    // The names whose check mark is cleared, in list order.
    QStringList UncheckedNames() const;

    QListWidget* pluginlist = nullptr;
    QLabel* pluglabel = nullptr;
    QLabel* wldownplug = nullptr;
    QPushButton* btnokplug = nullptr;
    QPushButton* btncancelplug = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
