#include "platform/backends/sdl/xsettings.h"

#include <cstddef>

namespace {

enum class SettingType : std::uint8_t { Integer = 0, String = 1, Colour = 2 };
constexpr std::uint8_t MostSignificantFirst = 1;
constexpr std::size_t HeaderSize = 12; // byte order, 3 unused, serial, number of settings
constexpr std::size_t ColourSize = 8;  // red, blue, green, alpha, 16 bits each

constexpr std::size_t PaddedToFour(std::size_t length) {
    return (length + 3) / 4 * 4;
}

// A cursor over the list that reads in the list's byte order and fails, once, for good, when
// a read would go past the end.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes), m_is_msb_first(!bytes.empty() && bytes[0] == MostSignificantFirst) {}

    bool is_whole() const { return m_is_whole; }
    void skip(std::size_t count) { take(count); }
    std::uint8_t byte() {
        const std::uint8_t* at = take(1);
        return at != nullptr ? *at : 0;
    }
    std::uint32_t number(std::size_t size) {
        const std::uint8_t* at = take(size);
        std::uint32_t value = 0;
        for (std::size_t index = 0; at != nullptr && index < size; ++index) {
            const std::size_t from = m_is_msb_first ? index : size - 1 - index;
            value = value << 8 | at[from];
        }
        return value;
    }
    std::string_view text(std::size_t length) {
        const std::uint8_t* at = take(length);
        return at != nullptr ? std::string_view(reinterpret_cast<const char*>(at), length)
                             : std::string_view();
    }

  private:
    const std::uint8_t* take(std::size_t count) {
        if (!m_is_whole || count > m_bytes.size() - m_at) {
            m_is_whole = false;
            return nullptr;
        }
        const std::uint8_t* at = m_bytes.data() + m_at;
        m_at += count;
        return at;
    }

    std::span<const std::uint8_t> m_bytes;
    bool m_is_msb_first;
    std::size_t m_at = 0;
    bool m_is_whole = true;
};

} // namespace

std::optional<std::int32_t> XsettingsInteger(std::span<const std::uint8_t> settings,
                                             std::string_view name) {
    if (settings.size() < HeaderSize)
        return std::nullopt;
    Reader reader(settings);
    reader.skip(8); // byte order, unused, serial
    const std::uint32_t count = reader.number(4);
    for (std::uint32_t setting = 0; setting < count && reader.is_whole(); ++setting) {
        const auto type = static_cast<SettingType>(reader.byte());
        reader.skip(1);
        const std::size_t name_length = reader.number(2);
        const std::string_view setting_name = reader.text(name_length);
        reader.skip(PaddedToFour(name_length) - name_length);
        reader.skip(4); // the serial of its last change
        switch (type) {
        case SettingType::Integer: {
            const auto value = static_cast<std::int32_t>(reader.number(4));
            if (reader.is_whole() && setting_name == name)
                return value;
            break;
        }
        case SettingType::String:
            reader.skip(PaddedToFour(reader.number(4)));
            break;
        case SettingType::Colour:
            reader.skip(ColourSize);
            break;
        default:
            return std::nullopt; // a type this cannot step over
        }
    }
    return std::nullopt;
}
