#pragma once

// Which parts of the window a new frame changes, against the frame drawn before it: the
// areas where the two draw lists can leave different pixels, as a few rectangles, so that a
// backend redraws and sends only those. It compares commands, never pixels, and draws
// nothing itself.

#include "platform/paint/draw_list.h"

#include <cstddef>
#include <vector>

// The pixels a command can touch: its rectangle within its clip for fills and frames (an
// empty clip clips nothing), its clip for text and pictures, whose size only the backend
// knows.
PixelRect CommandExtent(const DrawCommand& command);

// The areas of `after` that may differ from `before`, within the frame, as rectangles that
// neither overlap nor touch. Empty when the two draw the same. The whole frame when the
// frames differ in size, or when the changes are so many or so large that drawing it all
// costs less than drawing them one by one.
std::vector<PixelRect> ChangedAreas(const DrawList& before, const DrawList& after);

// Where drawing an area of the frame may begin: at the last fill that covers all of the
// area, since a fill leaves nothing of what lies below it; 0 when none does.
std::size_t FirstShownCommand(const DrawList& frame, const PixelRect& area);
