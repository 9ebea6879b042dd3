// Acts on modal windows (dialogs, file dialogs) as they come to the top of
// the modal stack, one step per window, in order, so a test can drive a
// command that runs a dialog of its own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

class ModalScript : public QObject {
public:
    ModalScript()
    {
        timer_.setInterval(0);  // polled on every pass of any event loop
        connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
    }

    // The next step: `act` on the window of type W once it is on top.
    template <class W>
    ModalScript& On(std::function<void(W*)> act)
    {
        steps_.push_back([act](QWidget* top) {
            auto* w = qobject_cast<W*>(top);
            if (!w || !w->isVisible())
                return false;
            act(w);
            return true;
        });
        clock_.start();
        timer_.start();
        return *this;
    }

    bool Done() const { return steps_.empty(); }

private:
    void Poll()
    {
        if (steps_.empty()) {
            timer_.stop();
            return;
        }
        if (steps_.front()(QApplication::activeModalWidget())) {
            steps_.pop_front();
            clock_.start();
        } else if (clock_.elapsed() > 10000) {
            ADD_FAILURE() << "a window the test waited for did not open";
            steps_.clear();
            if (QWidget* top = QApplication::activeModalWidget())
                top->close();
        }
    }

    std::deque<std::function<bool(QWidget*)>> steps_;
    QTimer timer_;
    QElapsedTimer clock_;
};
