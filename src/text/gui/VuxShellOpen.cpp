#include "text/gui/VuxShellOpen.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

bool ShellOpen(const QString& target, QWidget* /*owner*/)
{
    if (target.isEmpty())
        return false;
    // "www.example.com" is a web address without its scheme; a name with a
    // scheme of one letter is a drive-style path, not a URL.
    QUrl url(target, QUrl::StrictMode);
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        url = QUrl(QStringLiteral("http://") + target);
    else if (!url.isValid() || url.scheme().size() < 2)
        url = QUrl::fromLocalFile(QDir::current().absoluteFilePath(target));
    return QDesktopServices::openUrl(url);
}
