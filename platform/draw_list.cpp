#include "platform/draw_list.h"

#include <algorithm>

PixelRect PixelRect::intersected(const PixelRect& other) const {
    int left = std::max(x, other.x);
    int top = std::max(y, other.y);
    int right_edge = std::min(right(), other.right());
    int bottom_edge = std::min(bottom(), other.bottom());
    if (right_edge <= left || bottom_edge <= top) {
        return {left, top, 0, 0};
    }
    return {left, top, right_edge - left, bottom_edge - top};
}

const DrawCommand* FindText(const DrawList& list, std::string_view text) {
    for (const DrawCommand& command : list.commands) {
        if (command.op == DrawOp::Text && command.text == text) {
            return &command;
        }
    }
    return nullptr;
}
