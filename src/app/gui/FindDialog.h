// TFindtextt: the find dialog. It asks for the text to find, the search
// options and the encoding of the file; it is made anew for every find, so
// its boxes start unchecked (the find command checks encutf8 for a file
// shown as UTF-8).
//
//   +--------------------------------------------------------------+
//   | [texttofind                                               ]  |
//   | [ ] fullword        [ ] encoem   [ ] encutf8                  |
//   | [ ] reguse          [ ] encunicode          [  start   ]     |
//   | [ ] reverce         [ ] encunicodebe        [  cancel  ]     |
//   +--------------------------------------------------------------+
#pragma once

#include <QDialog>

#include "app/core/FindRules.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class TFindtextt : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    // Longest text the box takes, in characters: the search needs its
    // pattern to fit in half a block even as UTF-16.
    static constexpr int kMaxTextLength = static_cast<int>(TVuStreamSearch::kMaxTextBytes / 2);

    explicit TFindtextt(QWidget* parent = nullptr);

    // What the boxes stand for (FindRules.h).
    TFindEncodingBoxes EncodingBoxes() const;
    TFindOptionBoxes OptionBoxes() const;
    TVuEncoding Encoding() const { return FindEncoding(EncodingBoxes()); }
    TVuSearchOptions Options() const { return FindOptions(OptionBoxes()); }

    QLineEdit* texttofind = nullptr;
    QCheckBox* fullword = nullptr;
    QCheckBox* reguse = nullptr;
    QCheckBox* reverce = nullptr;
    QCheckBox* encoem = nullptr;
    QCheckBox* encunicode = nullptr;
    QCheckBox* encunicodebe = nullptr;
    QCheckBox* encutf8 = nullptr;
    QPushButton* start = nullptr;
    QPushButton* cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
