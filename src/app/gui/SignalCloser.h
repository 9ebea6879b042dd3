// Turns SIGTERM and SIGINT into a request on the user-interface thread, so
// that a logout or a kill closes the main window as the user's close
// would (settings written) instead of ending the process on the spot.
#pragma once

#include <QObject>

class QSocketNotifier;

class SignalCloser : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; only one SignalCloser may exist at a time.
    // The previous handlers are restored when it is destroyed.
    explicit SignalCloser(QObject* parent = nullptr);
    ~SignalCloser() override;

signals:
    // Raised on the user-interface thread once per signal received.
    void TerminationRequested(int signalNumber);

private:
    void ReadPipe();
    QSocketNotifier* notifier_ = nullptr;
};
