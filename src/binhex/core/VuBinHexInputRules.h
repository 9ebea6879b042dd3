// The arithmetic of the view's mouse input that needs no window: which
// drag-scroll zone a point falls in while the left button selects, and what
// one tick of middle-button scrolling does at a given distance from its
// origin.
#pragma once

#include <cstdint>

// Where a selecting drag is: inside the text, or in one of the four zones
// that scroll while the button is held there.
enum TVuDragZone : uint8_t { vdzNone, vdzUp, vdzDown, vdzLeft, vdzRight };

// The zone of (x, y) in a client area `width` x `height` whose text starts
// at `leftMargin`: y <= 0 is up, y >= height - 1 down, then x <= leftMargin
// left and x >= width - 1 right; anything else is none.
TVuDragZone DragZoneAt(int x, int y, int width, int height, int leftMargin);

// Milliseconds between two drag-scroll steps, and what one step moves.
constexpr int kDragScrollMs = 50;
constexpr int kDragScrollPixels = 20;

// The cursors of middle-button scrolling, by their numbers in the
// application's cursor table.
enum TVuScrollCursor : int8_t {
    vscMove = -30,   // "AB_MOVE": near the origin, nothing moves
    vscUp = -31,     // "AB_MOVE_U"
    vscDown = -32,   // "AB_MOVE_D"
    vscLeft = -33,   // "AB_MOVE_L"
    vscRight = -34,  // "AB_MOVE_R"
};

// Milliseconds between two middle-button scrolling ticks.
constexpr int kMiddleScrollMs = 100;
// Distance from the origin, in pixels, within which nothing moves.
constexpr int kMiddleScrollDeadZone = 16;

// One tick of middle-button scrolling.
struct TVuMiddleScrollStep {
    TVuScrollCursor cursor = vscMove;
    int lines = 0;   // lines to move: negative up, positive down
    int pixels = 0;  // pixels to scroll: negative left, positive right
};

// The tick for a cursor (dx, dy) pixels from the origin: within 16 pixels
// nothing moves; otherwise the larger of the two distances decides the
// direction (vertical first when they are equal), at |dy| div 16 lines or
// (|dx| div 16) * 8 pixels per tick.
TVuMiddleScrollStep MiddleScrollStep(int dx, int dy);
