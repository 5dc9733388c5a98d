#pragma once

// A backend that measures text in the real window's font, at the display's scale, and is
// the headless backend in everything else, so no window appears: for the tools that need
// the real window's layout without showing it.

#include "platform/backends/headless/headless_backend.h"
#include "platform/backends/sdl/sdl_backend.h"

class MeasuringBackend : public HeadlessBackend {
  public:
    FontMetrics font_metrics() const override { return m_font.font_metrics(); }
    int text_width(std::string_view text) const override { return m_font.text_width(text); }
    std::string error() const override { return m_font.error(); }

  private:
    SdlBackend m_font;
};
