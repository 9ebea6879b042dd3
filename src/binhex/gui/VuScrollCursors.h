// The cursors and the origin mark of middle-button scrolling: our own
// 32 x 32 images in the binhex Qt resources (gui/cursors/*.png), made into
// cursors once and kept for the whole run, as a table by cursor number.
#pragma once

#include "binhex/core/VuBinHexInputRules.h"

#include <QCursor>
#include <QPixmap>

// The cursor of `id` ("AB_MOVE" and its four directions), hot spot in the
// middle.
const QCursor& MiddleScrollCursor(TVuScrollCursor id);

// The origin mark drawn centred on the point where middle-button scrolling
// started (transparent around its shape).
const QPixmap& MiddleScrollMark();
