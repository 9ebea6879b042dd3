// The toolbar's pictures, drawn in code so the program needs no image
// files: one per button name of the toolbar row, plus the program's icon.
#pragma once

#include <QIcon>
#include <QString>

// The picture for the button `name` at `size` pixels (16 for the panel
// buttons, 32 for btnprew and btnnext). An unknown name gives a blank one.
QIcon ToolIcon(const QString& name, int size);

// The program's icon (window and tray).
QIcon AppIcon();
