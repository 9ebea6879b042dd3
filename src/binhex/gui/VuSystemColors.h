// Colours of the view as Qt colours: $00BBGGRR values and the system
// colours $FF0000nn, mapped to palette roles in one table.
#pragma once

#include "binhex/core/VuBinHexTypes.h"

#include <QColor>
#include <QPalette>

// The colour `color` stands for under `palette` (system colours follow the
// palette; an unknown system colour index is black).
QColor ToQColor(TVuColor color, const QPalette& palette);
// `color` with its system colour resolved, as $00BBGGRR.
TVuColor ResolveColor(TVuColor color, const QPalette& palette);
TVuColor FromQColor(const QColor& color);
