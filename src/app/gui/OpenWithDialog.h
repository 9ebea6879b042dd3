// The chooser of "open with another program": the installed programs that
// open the viewed file's type (desktop entries, the desktop's default
// first), all programs on request, and a command of the user's own.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

#include "app/core/DesktopEntries.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TOpenWithDialog : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    // Lists the programs for `fileName` from the installed entries
    // (InstalledApplications over DataDirs) and mimeapps.list.
    explicit TOpenWithDialog(const QString& fileName, QWidget* parent = nullptr);
    // The same with the programs given: those for the file's type and all.
    TOpenWithDialog(const QString& fileName, std::vector<DesktopEntry> forType, std::vector<DesktopEntry> all,
                    QWidget* parent = nullptr);

    // The MIME types of `fileName`: its own, then those it is a kind of.
    static std::vector<std::string> MimeTypesOf(const QString& fileName);

    // What to run for the choice, program first: the typed command when
    // there is one (the file is added as its last argument unless the
    // command places it with %f), else the chosen program's. Empty when
    // nothing usable is chosen.
    QStringList Command() const;

    QLabel* lblprompt = nullptr;
    QLabel* lblfile = nullptr;
    QListWidget* applist = nullptr;
    QCheckBox* cbshowall = nullptr;
    QLabel* lblcommand = nullptr;
    QLineEdit* edcommand = nullptr;
    QPushButton* btnok = nullptr;
    QPushButton* btncancel = nullptr;

private:
    void Build();
    void FillList();
    void UpdateOk();
    const DesktopEntry* Chosen() const;

    QString fileName_;
    std::vector<DesktopEntry> forType_;
    std::vector<DesktopEntry> all_;
};
