// Opening a file or a web address with the program the desktop assigns.
#pragma once

#include <QString>

class QWidget;

// Opens `target` (a local path, or an address with a scheme such as
// "https:" or "mailto:") through the desktop. `owner` is the window the
// request comes from (unused by the desktop, kept for callers). True when
// the desktop accepted the request.
bool ShellOpen(const QString& target, QWidget* owner = nullptr);
