// The small pictures of the filter menu: each shows what its filter does
// to a little landscape.
#pragma once

#include <QIcon>

// The picture of image command `command` (2 grey, 6 frost, 7 pixelation,
// 8 waves, 9 blocks, 10 blur, 11 posterization, 12 noise); the plain
// landscape for any other number.
QIcon FilterIcon(int command);
