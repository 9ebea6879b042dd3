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
            const quint64 generation = generation_ + 1;
            thread_ = std::make_unique<TDirThread>(
                std::move(settings), [this, generation] { RequestHandOver(generation); },
                [this] { QMetaObject::invokeMethod(this, "ReportWaitFailure", Qt::QueuedConnection); });
            generation_ = generation;
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
        ++generation_;
        // The joined thread's request, if still queued, is ignored by its
        // generation; the next watch may queue its own.
        handOverQueued_.store(false);
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

void TVuFileNotification::RequestHandOver(quint64 generation)
{
    if (handOverQueued_.exchange(true))
        return;
    QMetaObject::invokeMethod(this, "HandOver", Qt::QueuedConnection, Q_ARG(quint64, generation));
}

void TVuFileNotification::HandOver(quint64 generation)
{
    // Cleared before the timer starts, so a change the worker sees from now
    // on queues a new request rather than relying on a tick already due.
    handOverQueued_.store(false);
    if (generation != generation_ || !watching_)
        return;
    if (!timer_.isActive())
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
