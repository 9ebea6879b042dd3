// The main window as a drop target: it takes files (not folders) dragged
// onto it from a file manager, comes to the front, and hands the dropped
// names over in order.
#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

class TDropFiles : public QObject {
    Q_OBJECT

public:
    // Makes `window` accept drops; the target is its child.
    explicit TDropFiles(QWidget* window);

    // The local files of a drag, in order, folders left out.
    static QStringList DroppedFiles(const QMimeData* data);

signals:
    // After a drop of at least one file.
    void DropFiles(const QStringList& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};
