// TVuFileNotification: the non-visual watcher component the text view owns
// for auto-reload.
//
// It watches a folder (Directory) or one file (FileName) on a TDirThread and
// raises OnChanged on the user-interface thread. The worker's "something
// changed" reaches this object as a queued call that starts a 100 ms
// single-shot timer; requests arriving while the timer runs merge into its
// one tick, so a burst of changes causes one OnChanged:
//
//   worker:   change  change change      change
//   UI:       |start----100 ms----|tick   |start----100 ms----|tick
//                                 OnChanged                   OnChanged
//
// Setting Directory to a different value clears FileName and the other way
// round, so the watcher is either in folder mode or in file mode. The
// properties are read when watching starts; change them while stopped (or
// stop and start again). Every member is called on the object's thread.
#pragma once

#include "binhex/core/VuFileNotification.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <mutex>

class TVuFileNotification : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Subtree READ Subtree WRITE SetSubtree)
    Q_PROPERTY(QString Directory READ Directory WRITE SetDirectory)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)

public:
    static constexpr TVuFileNotifyOptions kDefaultOptions{foNotifyFilename, foNotifyDirname, foNotifyLastWrite};
    // The hand-over timer's interval.
    static constexpr int kHandOverMs = 100;

    explicit TVuFileNotification(QObject* parent = nullptr);
    // Stops watching; no OnChanged is raised afterwards.
    ~TVuFileNotification() override;

    TVuFileNotifyOptions Options() const { return options_; }
    void SetOptions(TVuFileNotifyOptions options) { options_ = options; }

    // Folder mode only: watch every subfolder too. Default false.
    bool Subtree() const { return subtree_; }
    void SetSubtree(bool subtree) { subtree_ = subtree; }

    // The folder to watch; a different value clears FileName.
    QString Directory() const { return directory_; }
    void SetDirectory(const QString& directory);

    // The file to watch (through its folder); a different value clears
    // Directory.
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& fileName);

    // Starts a worker thread for the current properties unless watching
    // already. A folder that cannot be watched (empty or missing) leaves the
    // watcher watching but silently inactive (see Active). Failing to create
    // the thread shows "Exception while creating thread" in an error box.
    void StartWatching();

    // Ends and joins the worker thread unless idle, and drops a change not
    // yet raised: no OnChanged follows StopWatching. A failure shows
    // "Exception while terminating thread" in an error box.
    void StopWatching();

    // Starts or stops when `watching` differs from Watching().
    void SetWatching(bool watching);

    // Whether StartWatching has been called without a StopWatching since.
    bool Watching() const { return watching_; }

    // Whether a worker thread is actually watching: false when idle and when
    // the folder could not be watched at the start.
    bool Active() const;

signals:
    // Something the options select changed in the watched folder or file.
    // Raised on the user-interface thread, at most once per hand-over tick.
    void OnChanged();

private:
    // Worker thread: records the change and, unless a hand-over is already
    // queued, queues one to the user-interface thread.
    void RequestHandOver();
    // User-interface thread: starts the timer for a recorded change unless it
    // runs. The queued call carries no data: what it finds recorded (under
    // handOverLock_) decides, so a call queued by a watch since stopped finds
    // nothing and does nothing.
    Q_INVOKABLE void HandOver();
    Q_INVOKABLE void ReportWaitFailure();
    void Tick();
    static void ShowError(const QString& text);

    TVuFileNotifyOptions options_ = kDefaultOptions;
    bool subtree_ = false;
    QString directory_;
    QString fileName_;

    std::mutex lock_;  // serialises starting and stopping
    bool watching_ = false;
    std::unique_ptr<TDirThread> thread_;
    // Separate from lock_: the worker takes it while StopWatching holds lock_
    // and waits for the worker to end.
    std::mutex handOverLock_;
    bool changeRecorded_ = false;  // guarded by handOverLock_
    QTimer timer_;
};
