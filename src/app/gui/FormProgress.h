// TFormProgress: the window a long search shows its progress in, with a
// STOP button that cancels the search. It is shown without blocking and
// kept alive by the search calling Update after every block.
//
//   +-------------------------------+
//   | LabCaption: 50% (1024 \ 2048) |
//   | [=========ProgressBar1      ] |
//   |          [ btnCancel ]        |
//   +-------------------------------+
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

class TFormProgress : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    explicit TFormProgress(QWidget* parent = nullptr);

    // Shows `position` of `maximum` on the bar and the label, lets the
    // application handle what is pending (painting, a press of STOP) and
    // answers whether to go on: false once STOP was pressed. Throws
    // std::logic_error for a negative value or a position beyond the
    // maximum (see ProgressPercent).
    bool Update(int64_t position, int64_t maximum);

    // Set by STOP (or Escape, or closing the window); cleared every time
    // the window is shown.
    bool Cancelled = false;

    QLabel* LabCaption = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
};
