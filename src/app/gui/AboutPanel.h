// The About panel pAbout of the main window: the program's name in large
// letters with a soft shadow, its picture, links to the home page and to
// mail, a credits line and the help list, which the language file fills.
// It is shown centred over the window and closed by its "X" button.
//
//   +--------------------------------------------------+
//   | Peekwell              [picture]              [X] |  sLabelFX1, Image1, sSpeedButton1
//   | 1.1.6 (Tarnwick)                                 |  sLabel2
//   | Домашняя страница    E-mail                      |  sWebLabel1, sWebLabel2
//   | credits line                                     |  sLabel1
//   | +----------------------------------------------+ |
//   | | help list (helpedt)                          | |
//   | +----------------------------------------------+ |
//   +--------------------------------------------------+
#pragma once

#include <QFrame>
#include <QLabel>

class THtmlListBox;
class TSpeedButton;

// A label whose hint is kept for the program to read but never pops up as
// a tool tip (the class library's hint with hints switched off).
class TSilentHintLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

public:
    explicit TSilentHintLabel(QWidget* parent = nullptr) : QLabel(parent) {}

protected:
    bool event(QEvent* event) override;
};

class TAboutPanel : public QFrame {
    Q_OBJECT

public:
    explicit TAboutPanel(QWidget* parent);

    // Places the panel in the middle of its parent's client area.
    void Centre();

    TSilentHintLabel* sLabelFX1 = nullptr;  // "Peekwell " with a blurred shadow
    QLabel* sLabel2 = nullptr;              // version and release name
    QLabel* Image1 = nullptr;               // the program's picture
    QLabel* sWebLabel1 = nullptr;           // home page link
    QLabel* sWebLabel2 = nullptr;           // e-mail link
    QLabel* sLabel1 = nullptr;              // credits
    THtmlListBox* helpedt = nullptr;        // help lines of the language file
    TSpeedButton* sSpeedButton1 = nullptr;  // "X": closes the panel

    // Where the two links lead.
    static constexpr const char* kHomePage = "https://peekwell.org/";
    static constexpr const char* kMail = "mailto:team@peekwell.org";
};
