#include "binhex/gui/VuFileNotifier.h"

#include <QFile>
#include <QMessageBox>

TVuFileNotification::TVuFileNotification(QObject* parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    timer_.setInterval(kHandOverMs);
    connect(&timer_, &QTimer::timeout, this, &TVuFileNotification::Tick);
}

TVuFileNotification::~TVuFileNotification()
{
    StopWatching();
}

void TVuFileNotification::SetDirectory(const QString& directory)
{
    if (directory == directory_)
        return;
    directory_ = directory;
    fileName_.clear();
}

void TVuFileNotification::SetFileName(const QString& fileName)
{
    if (fileName == fileName_)
        return;
    fileName_ = fileName;
    directory_.clear();
}

void TVuFileNotification::StartWatching()
{
    bool failed = false;
    {
        std::lock_guard guard(lock_);
        if (watching_)
            return;
        try {
            TDirThreadSettings settings;
            settings.Directory = QFile::encodeName(directory_).toStdString();
            settings.FileName = QFile::encodeName(fileName_).toStdString();
            settings.Subtree = subtree_;
            settings.Mask = FileNotifyMask(options_);
            thread_ = std::make_unique<TDirThread>(
                std::move(settings), [this] { RequestHandOver(); },
                [this] { QMetaObject::invokeMethod(this, "ReportWaitFailure", Qt::QueuedConnection); });
            watching_ = true;
        } catch (...) {
            failed = true;
        }
    }
    // Shown outside the lock: the box runs a nested event loop in which an
    // OnChanged handler may start or stop watching.
    if (failed)
        ShowError(QStringLiteral("Exception while creating thread"));
}

void TVuFileNotification::StopWatching()
{
    bool failed = false;
    {
        std::lock_guard guard(lock_);
        if (!watching_)
            return;
        try {
            thread_->Terminate();
        } catch (...) {
            failed = true;
        }
        thread_.reset();
        watching_ = false;
        // A hand-over the joined thread queued now finds nothing to do, and
        // the next watch queues its own.
        {
            std::lock_guard handOver(handOverLock_);
            changeRecorded_ = false;
        }
        timer_.stop();
    }
    if (failed)
        ShowError(QStringLiteral("Exception while terminating thread"));
}

void TVuFileNotification::SetWatching(bool watching)
{
    if (watching == watching_)
        return;
    if (watching)
        StartWatching();
    else
        StopWatching();
}

bool TVuFileNotification::Active() const
{
    return thread_ && thread_->Active();
}

void TVuFileNotification::RequestHandOver()
{
    bool queue = false;
    {
        std::lock_guard handOver(handOverLock_);
        queue = !changeRecorded_;
        changeRecorded_ = true;
    }
    // Only the call is queued, no data: the recorded flag is handed over
    // under the lock, where the thread checker (and any reader) can see it.
    if (queue)
        QMetaObject::invokeMethod(this, "HandOver", Qt::QueuedConnection);
}

void TVuFileNotification::HandOver()
{
    bool recorded = false;
    {
        std::lock_guard handOver(handOverLock_);
        recorded = changeRecorded_;
        changeRecorded_ = false;
    }
    if (recorded && watching_ && !timer_.isActive())
        timer_.start();
}

void TVuFileNotification::ReportWaitFailure()
{
    ShowError(QStringLiteral("Exception while waiting for notification"));
}

void TVuFileNotification::Tick()
{
    timer_.stop();
    emit OnChanged();
}

void TVuFileNotification::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text);
    box.exec();
}
