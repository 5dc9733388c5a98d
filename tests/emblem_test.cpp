// The emblem's layout at every size the icon is drawn at: rounded to whole pixels, its parts
// must still sit inside the body and must not run into one another, down to 16 pixels.

#include "resources/window_icons.h"
#include "tools/artwork/emblem.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Contains(const Shape& outer, const Shape& inner) {
    return inner.width > 0 && inner.height > 0 && inner.left >= outer.left &&
           inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

bool Overlap(const Shape& one, const Shape& other) {
    return one.left < other.left + other.width && other.left < one.left + one.width &&
           one.top < other.top + other.height && other.top < one.top + one.height;
}

struct EmblemParts {
    Shape rim, body, display;
    std::vector<Shape> text; // the glyphs' pixels, or the line standing for them
    std::vector<Shape> keys;
};

// The emblem paints its rim, its body, the display, the display's text, then the keys.
EmblemParts Parts(const ShapeList& shapes) {
    EmblemParts parts{shapes.at(0), shapes.at(1), shapes.at(2), {}, {}};
    for (std::size_t index = 3; index < shapes.size(); ++index)
        (shapes[index].colour == GlowTeal ? parts.text : parts.keys).push_back(shapes[index]);
    return parts;
}

} // namespace

TEST(Emblem, PartsStayInsideTheBodyWithoutOverlapAtEveryIconSize) {
    for (int size : IconSizes) {
        SCOPED_TRACE(size);
        const EmblemParts parts = Parts(EmblemShapes(size));
        EXPECT_TRUE(parts.body.colour == EmblemBody);
        EXPECT_TRUE(parts.display.colour == DisplayTeal);
        EXPECT_TRUE(Contains(Shape{0, 0, size, size, 0.0, {}}, parts.rim));
        EXPECT_TRUE(Contains(parts.rim, parts.body));
        EXPECT_TRUE(Contains(parts.body, parts.display));
        ASSERT_FALSE(parts.text.empty());
        for (const Shape& text : parts.text)
            EXPECT_TRUE(Contains(parts.display, text));
        ASSERT_EQ(parts.keys.size(), 6u);
        for (std::size_t key = 0; key < parts.keys.size(); ++key) {
            EXPECT_TRUE(Contains(parts.body, parts.keys[key])) << "key " << key;
            EXPECT_FALSE(Overlap(parts.display, parts.keys[key])) << "key " << key;
            for (std::size_t other = key + 1; other < parts.keys.size(); ++other)
                EXPECT_FALSE(Overlap(parts.keys[key], parts.keys[other])) << key << ", " << other;
        }
    }
}
