#include "platform/paint/draw_list.h"

const DrawCommand* FindText(const DrawList& list, std::string_view text) {
    for (const DrawCommand& command : list.commands) {
        if (command.op == DrawOp::Text && command.text == text) {
            return &command;
        }
    }
    return nullptr;
}
