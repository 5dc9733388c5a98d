#include "platform/paint/frame_changes.h"

#include <algorithm>
#include <cstddef>

namespace {

// Beyond this many changed commands, or this share of the frame's pixels, the frame is
// drawn whole.
constexpr std::size_t MostChangedCommands = 128;
constexpr double LargestChangedShare = 0.5;

bool IsSame(const DrawCommand& a, const DrawCommand& b) {
    return a.op == b.op && a.rect == b.rect && a.clip == b.clip && a.colour == b.colour &&
           a.text == b.text && a.bitmap.data() == b.bitmap.data() &&
           a.bitmap.size() == b.bitmap.size();
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    return {left, top, std::max(a.right(), b.right()) - left,
            std::max(a.bottom(), b.bottom()) - top};
}

// Overlapping or sharing an edge.
bool IsTouching(const PixelRect& a, const PixelRect& b) {
    return a.x <= b.right() && b.x <= a.right() && a.y <= b.bottom() && b.y <= a.bottom();
}

// Joins touching rectangles until none touch; the union of two can reach a third, so it
// goes round again after every join.
void Merge(std::vector<PixelRect>& areas) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t first = 0; first < areas.size() && !joined; ++first) {
            for (std::size_t second = first + 1; second < areas.size(); ++second) {
                if (IsTouching(areas[first], areas[second])) {
                    areas[first] = Union(areas[first], areas[second]);
                    areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(second));
                    joined = true;
                    break;
                }
            }
        }
    }
}

long long Area(const PixelRect& rect) {
    return static_cast<long long>(rect.width) * rect.height;
}

} // namespace

PixelRect CommandExtent(const DrawCommand& command) {
    switch (command.op) {
    case DrawOp::Fill:
    case DrawOp::DottedFrame:
        return command.clip.is_empty() ? command.rect : command.rect.intersected(command.clip);
    case DrawOp::Text:
    case DrawOp::Bitmap:
        return command.clip;
    }
    return command.clip;
}

std::vector<PixelRect> ChangedAreas(const DrawList& before, const DrawList& after) {
    const PixelRect whole{0, 0, after.width, after.height};
    if (before.width != after.width || before.height != after.height)
        return {whole};
    // What lies between the common beginning and the common end changed. Where both lists
    // have the same number of commands there, the commands are taken pair by pair (a text
    // rewritten, a caret moved); otherwise all of them on both sides count.
    const std::vector<DrawCommand>& old_commands = before.commands;
    const std::vector<DrawCommand>& new_commands = after.commands;
    const std::size_t shorter = std::min(old_commands.size(), new_commands.size());
    std::size_t prefix = 0;
    while (prefix < shorter && IsSame(old_commands[prefix], new_commands[prefix]))
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && IsSame(old_commands[old_commands.size() - 1 - suffix],
                                               new_commands[new_commands.size() - 1 - suffix]))
        ++suffix;
    const std::size_t old_end = old_commands.size() - suffix;
    const std::size_t new_end = new_commands.size() - suffix;

    std::vector<const DrawCommand*> changed;
    if (old_end - prefix == new_end - prefix) {
        for (std::size_t index = prefix; index < old_end; ++index) {
            if (!IsSame(old_commands[index], new_commands[index])) {
                changed.push_back(&old_commands[index]);
                changed.push_back(&new_commands[index]);
            }
        }
    } else {
        for (std::size_t index = prefix; index < old_end; ++index)
            changed.push_back(&old_commands[index]);
        for (std::size_t index = prefix; index < new_end; ++index)
            changed.push_back(&new_commands[index]);
    }
    if (changed.size() > MostChangedCommands)
        return {whole};

    std::vector<PixelRect> areas;
    for (const DrawCommand* command : changed) {
        const PixelRect area = CommandExtent(*command).intersected(whole);
        if (!area.is_empty())
            areas.push_back(area);
    }
    Merge(areas);
    long long changed_pixels = 0;
    for (const PixelRect& area : areas)
        changed_pixels += Area(area);
    if (static_cast<double>(changed_pixels) >
        LargestChangedShare * static_cast<double>(Area(whole)))
        return {whole};
    return areas;
}

std::size_t FirstShownCommand(const DrawList& frame, const PixelRect& area) {
    for (std::size_t index = frame.commands.size(); index-- > 0;) {
        const DrawCommand& command = frame.commands[index];
        if (command.op == DrawOp::Fill && CommandExtent(command).intersected(area) == area)
            return index;
    }
    return 0;
}
