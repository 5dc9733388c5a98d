#pragma once

// The interface font: found with fontconfig, read into memory once, opened with SDL_ttf and
// sized for a display scale so that its lines and characters take the measure of 8-point MS
// Sans Serif at 96 dots per inch times that scale, which the dialogs were laid out for. It
// answers for metrics and text widths; drawing with it is the surface painter's job, and
// choosing the scale the backend's.

#include "platform/paint/text_measure.h"

#include <SDL_ttf.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class InterfaceFont {
  public:
    InterfaceFont() = default;
    ~InterfaceFont();
    InterfaceFont(const InterfaceFont&) = delete;
    InterfaceFont& operator=(const InterfaceFont&) = delete;

    // Starts SDL_ttf, finds and opens the font and sizes it for scale (1 to 2); false with
    // the reason in error().
    bool load(float scale);

    const FontMetrics& metrics() const { return m_metrics; }
    // The width of a code-page-1254 text; 0 before the font is loaded.
    int text_width(std::string_view text) const;
    TTF_Font* ttf() const { return m_font; }
    const std::string& error() const { return m_error; }

  private:
    std::vector<char> m_file; // the font's bytes; FreeType reads them for as long as it is open
    TTF_Font* m_font = nullptr;
    bool m_is_ttf_started = false;
    FontMetrics m_metrics;
    std::string m_error;
    // Widths of texts measured before: painting measures every label of every frame.
    mutable std::unordered_map<std::string, int> m_widths;
};
