#include "app/gui/SkinManager.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

TSkinManager::TSkinManager(QObject* parent) : QObject(parent) {}

void TSkinManager::SetSkinDirectory(const QString& dir)
{
    if (dir == directory_)
        return;
    directory_ = dir;
    Apply();
}

void TSkinManager::SetSkinName(const QString& name)
{
    if (name == name_)
        return;
    name_ = name;
    Apply();
}

void TSkinManager::SetActive(bool on)
{
    if (on == active_)
        return;
    active_ = on;
    Apply();
}

QString TSkinManager::SkinFile() const
{
    return QDir(directory_).filePath(name_ + QStringLiteral(".asz"));
}

void TSkinManager::Apply()
{
    QString sheet;
    if (active_ && !name_.isEmpty()) {
        QFile file(SkinFile());
        if (file.open(QIODevice::ReadOnly))
            sheet = QString::fromUtf8(file.readAll());
        else
            std::fprintf(stderr, "peekwell: skin %s cannot be read: %s\n", qPrintable(SkinFile()),
                         qPrintable(file.errorString()));
    }
    if (sheet == applied_)
        return;
    applied_ = sheet;
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setStyleSheet(sheet);
}
