// The desktop's scale on X11: the dots per inch snapped to the scales desktops offer, the
// XSETTINGS list read for Xft/DPI whatever its byte order and neighbours, and pictures
// resampled smoothly to their scaled size.

#include "platform/backends/sdl/desktop_scale.h"
#include "platform/backends/sdl/xsettings.h"
#include "platform/backends/software/picture_scaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

TEST(ScaleForDpi, SnapsToTheNearestQuarterBetweenOneAndTwo) {
    struct Row {
        float dpi, scale;
    };
    const Row rows[] = {
        {96, 1},      {72, 1},      // below the classic density: never smaller
        {107.9f, 1},  {108, 1.25f}, // halfway between 1 and 1.25 goes up
        {120, 1.25f},               // a 125 % desktop
        {132, 1.5f},  {144, 1.5f},  // a 150 % desktop
        {156, 1.75f}, {168, 1.75f}, {180, 2},
        {192, 2},     {288, 2}, // three times the density: no larger than 2
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(ScaleForDpi(row.dpi), row.scale);
    }
}

namespace {

// An XSETTINGS list as a settings manager writes it, built a setting at a time.
class SettingsList {
  public:
    explicit SettingsList(bool is_msb_first) : m_is_msb_first(is_msb_first) {
        m_bytes = {static_cast<std::uint8_t>(is_msb_first ? 1 : 0), 0, 0, 0};
        number(7, 4); // serial
        number(0, 4); // settings, counted as they are added
    }
    SettingsList& integer(const std::string& name, std::int32_t value) {
        head(0, name);
        number(static_cast<std::uint32_t>(value), 4);
        return *this;
    }
    SettingsList& string(const std::string& name, const std::string& value) {
        head(1, name);
        number(static_cast<std::uint32_t>(value.size()), 4);
        padded(value);
        return *this;
    }
    SettingsList& colour(const std::string& name) {
        head(2, name);
        for (int channel = 0; channel < 4; ++channel)
            number(0xFFFF, 2);
        return *this;
    }
    std::vector<std::uint8_t> bytes() const { return m_bytes; }

  private:
    void number(std::uint32_t value, int size) {
        for (int index = 0; index < size; ++index) {
            const int shift = 8 * (m_is_msb_first ? size - 1 - index : index);
            m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void padded(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.resize(m_bytes.size() + (4 - text.size() % 4) % 4, 0);
    }
    void head(std::uint8_t type, const std::string& name) {
        ++m_count;
        for (int index = 0; index < 4; ++index) {
            const int shift = 8 * (m_is_msb_first ? 3 - index : index);
            m_bytes[8 + static_cast<std::size_t>(index)] =
                static_cast<std::uint8_t>(m_count >> shift);
        }
        m_bytes.push_back(type);
        m_bytes.push_back(0);
        number(static_cast<std::uint32_t>(name.size()), 2);
        padded(name);
        number(3, 4); // the serial of its last change
    }

    bool m_is_msb_first;
    std::uint32_t m_count = 0;
    std::vector<std::uint8_t> m_bytes;
};

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
}

} // namespace

TEST(XsettingsInteger, FindsXftDpiAmongOtherSettings) {
    const std::int32_t dpi = 144 * 1024;
    struct Row {
        const char* list;
        std::vector<std::uint8_t> bytes;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"alone, least significant byte first", SettingsList(false).integer("Xft/DPI", dpi).bytes(),
         dpi},
        {"alone, most significant byte first", SettingsList(true).integer("Xft/DPI", dpi).bytes(),
         dpi},
        {"after a string, a colour and another integer",
         SettingsList(false)
             .string("Net/ThemeName", "Adwaita")
             .colour("Gtk/Colour")
             .integer("Xft/Antialias", 1)
             .integer("Xft/DPI", dpi)
             .bytes(),
         dpi},
        {"the default, -1", SettingsList(true).integer("Xft/DPI", -1).bytes(), -1},
        {"another name that begins the same", SettingsList(false).integer("Xft/DPIX", dpi).bytes(),
         std::nullopt},
        {"the name as a string", SettingsList(false).string("Xft/DPI", "144").bytes(),
         std::nullopt},
        {"none", SettingsList(false).string("Net/ThemeName", "Adwaita").bytes(), std::nullopt},
        {"cut inside the value", Cut(SettingsList(false).integer("Xft/DPI", dpi).bytes(), 2),
         std::nullopt},
        {"cut inside a string before it",
         Cut(SettingsList(false).string("Net/ThemeName", "Adwaita").bytes(), 5), std::nullopt},
        {"no more than a header", std::vector<std::uint8_t>(12, 0), std::nullopt},
        {"empty", {}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        EXPECT_EQ(XsettingsInteger(row.bytes, "Xft/DPI"), row.expected);
    }
}

// A string that says it is longer than the whole list ends the reading, not the program.
TEST(XsettingsInteger, StopsAtALengthBeyondTheList) {
    std::vector<std::uint8_t> bytes =
        SettingsList(false).string("Net/ThemeName", "x").integer("Xft/DPI", 1).bytes();
    ASSERT_EQ(XsettingsInteger(bytes, "Xft/DPI"), 1);
    constexpr std::size_t StringLength = 12 + 4 + 16 + 4; // header, type and name, serial
    for (std::size_t index = 0; index < 4; ++index)
        bytes[StringLength + index] = 0xFF;
    EXPECT_EQ(XsettingsInteger(bytes, "Xft/DPI"), std::nullopt);
}

namespace {

SDL_Surface* Picture(int width, int height, const std::vector<std::uint32_t>& pixels) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                             y * surface->pitch)[x] =
                pixels[static_cast<std::size_t>(y * width + x)];
    return surface;
}

std::vector<std::uint32_t> Pixels(const SDL_Surface* surface) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            pixels.push_back(reinterpret_cast<const std::uint32_t*>(
                static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch)[x]);
    return pixels;
}

} // namespace

TEST(ResamplePicture, BlendsNeighboursAndHoldsTheEdges) {
    constexpr std::uint32_t Black = 0x000000, White = 0xFFFFFF, Red = 0xFF0000;
    struct Row {
        const char* name;
        int width, height;
        std::vector<std::uint32_t> pixels;
        int new_width, new_height;
        std::vector<std::uint32_t> expected;
    };
    const Row rows[] = {
        {"the same size is a copy", 2, 1, {Black, White}, 2, 1, {Black, White}},
        // Centres at -0.25, 0.25, 0.75 and 1.25 of the old pixels: the outer two held.
        {"twice as wide", 2, 1, {Black, White}, 4, 1, {Black, 0x404040, 0xBFBFBF, White}},
        {"twice as tall", 1, 2, {Black, White}, 1, 4, {Black, 0x404040, 0xBFBFBF, White}},
        {"one colour stays one colour",
         2,
         2,
         {Red, Red, Red, Red},
         5,
         3,
         std::vector<std::uint32_t>(15, Red)},
        // A quarter and a half of the way: each channel of its own.
        {"channels apart",
         2,
         1,
         {0x0000FF, 0xFF0000},
         4,
         1,
         {0x0000FF, 0x4000BF, 0xBF0040, 0xFF0000}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SDL_Surface* source = Picture(row.width, row.height, row.pixels);
        SDL_Surface* resampled = ResamplePicture(source, row.new_width, row.new_height);
        ASSERT_NE(resampled, nullptr);
        EXPECT_EQ(resampled->w, row.new_width);
        EXPECT_EQ(resampled->h, row.new_height);
        EXPECT_EQ(Pixels(resampled), row.expected);
        SDL_FreeSurface(resampled);
        SDL_FreeSurface(source);
    }
}
