// The look of the program: a skin is a Qt style sheet kept in a "*.asz"
// file of the skins folder, applied to the whole application while the
// skin manager is active.
#pragma once

#include <QObject>
#include <QString>

class TSkinManager : public QObject {
    Q_OBJECT

public:
    explicit TSkinManager(QObject* parent = nullptr);

    QString SkinDirectory() const { return directory_; }
    void SetSkinDirectory(const QString& dir);
    QString SkinName() const { return name_; }
    void SetSkinName(const QString& name);
    bool Active() const { return active_; }
    void SetActive(bool on);

    // The skin file in use: SkinDirectory + "/" + SkinName + ".asz".
    QString SkinFile() const;

    // The style sheet applied now; empty while inactive or when the skin
    // file cannot be read (the program then keeps the desktop's own look).
    QString AppliedStyleSheet() const { return applied_; }

private:
    void Apply();

    QString directory_;
    QString name_;
    bool active_ = false;
    QString applied_;
};
