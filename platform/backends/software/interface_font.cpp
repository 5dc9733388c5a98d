#include "platform/backends/software/interface_font.h"

#include "platform/backends/software/font_lookup.h"
#include "platform/text/codepage1254.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

// Measured widths kept; the table starts over when it has this many.
constexpr std::size_t TextWidthCapacity = 4096;

// At 96 dots per inch the interface takes the measure of 8-point MS Sans Serif there: lines
// of 13 pixels and an average character of 6, times the scale at other densities. The font
// is set to the largest pixel size whose own text fits that measure, since labels were laid
// out for it and a wider font would not fit their boxes; its metrics then make the dialog
// units, so that at 1.25 they are what a font of 12 pixels gives, not 1.25 of 1's.
constexpr int TargetLineHeight = 13;
constexpr int TargetCharWidth = 6;
constexpr int SmallestPixelSize = 8;
constexpr int LargestPixelSize = 14;
constexpr const char* AverageWidthSample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int AverageWidthSampleLength = 52;

std::string LastTtfError(const std::string& what) {
    return what + ": " + TTF_GetError();
}

// The width of the sample at the font's current size; a 52nd of it is the average
// character width.
int SampleWidth(TTF_Font* font) {
    int width = 0;
    TTF_SizeUTF8(font, AverageWidthSample, &width, nullptr);
    return width;
}

int Scaled(int pixels, float scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

// Liberation Sans, for one, fits at 10 pixels (5.94 a character, 12 a line) and at 20
// (11.56, 23) for twice the density.
int ChoosePixelSize(TTF_Font* font, float scale) {
    int chosen = Scaled(SmallestPixelSize, scale);
    for (int size = chosen; size <= Scaled(LargestPixelSize, scale); ++size) {
        if (TTF_SetFontSize(font, size) != 0)
            continue;
        if (SampleWidth(font) > TargetCharWidth * scale * AverageWidthSampleLength ||
            TTF_FontHeight(font) > TargetLineHeight * scale)
            break;
        chosen = size;
    }
    return chosen;
}

} // namespace

InterfaceFont::~InterfaceFont() {
    if (m_font != nullptr)
        TTF_CloseFont(m_font);
    if (m_is_ttf_started)
        TTF_Quit();
}

bool InterfaceFont::load(float scale) {
    if (TTF_Init() != 0) {
        m_error = LastTtfError("cannot start the font engine");
        return false;
    }
    m_is_ttf_started = true;
    const auto file = FindInterfaceFont();
    if (!file) {
        m_error = "cannot find a sans-serif font with fontconfig";
        return false;
    }
    // FreeType reads the font in many small pieces while sizing it; from memory that costs
    // nothing, from the file it is thousands of system calls at every start.
    std::ifstream stream(file->path, std::ios::binary);
    m_file.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    SDL_RWops* source = m_file.empty()
                            ? nullptr
                            : SDL_RWFromConstMem(m_file.data(), static_cast<int>(m_file.size()));
    m_font =
        source == nullptr ? nullptr : TTF_OpenFontIndexRW(source, 1, LargestPixelSize, file->index);
    if (m_font == nullptr) {
        m_error = LastTtfError("cannot open the font " + file->path);
        return false;
    }
    TTF_SetFontHinting(m_font, TTF_HINTING_NORMAL);
    if (TTF_SetFontSize(m_font, ChoosePixelSize(m_font, scale)) != 0) {
        m_error = LastTtfError("cannot size the font");
        return false;
    }
    m_metrics.average_char_width =
        (SampleWidth(m_font) + AverageWidthSampleLength / 2) / AverageWidthSampleLength;
    // The line keeps its classic height; what the font leaves of it is leading below the text.
    m_metrics.height = std::max(TTF_FontHeight(m_font), Scaled(TargetLineHeight, scale));
    m_metrics.ascent = TTF_FontAscent(m_font);
    return true;
}

int InterfaceFont::text_width(std::string_view text) const {
    if (m_font == nullptr || text.empty())
        return 0;
    const std::string key(text);
    if (const auto found = m_widths.find(key); found != m_widths.end())
        return found->second;
    int width = 0;
    TTF_SizeUTF8(m_font, CodePage1254ToUtf8(text).c_str(), &width, nullptr);
    if (m_widths.size() >= TextWidthCapacity)
        m_widths.clear();
    m_widths.emplace(key, width);
    return width;
}
