// The floor for a program on this toolkit: the least an SDL2 + SDL2_ttf program does to show
// a window like the calculator's. It opens a window of the size given on the command line
// through the same software path as the SDL backend (the window surface, no renderer, no
// OpenGL, the same hints), finds the interface font the way the backend does, draws one
// line of text with it, presents that frame and then waits for events until it is closed.
// startup_probe measures it beside the calculator. Each key pressed shows the line with or
// without a last digit, in turns, drawing and sending only the line's rectangle: the least a
// program does to answer a key, which keystroke_probe measures beside the calculator's.
//
//   sdl_floor WIDTH HEIGHT

#include "platform/backends/software/font_lookup.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The size the backend settles on for Liberation Sans at 96 dots per inch.
constexpr int FontPixelSize = 10;
constexpr const char* Line = "Kalvetra: 0123456789ABCDEF";
constexpr const char* ShorterLine = "Kalvetra: 0123456789ABCDE";
constexpr int LineX = 8, LineY = 8;
constexpr SDL_Color TextColour = {0x00, 0x00, 0x00, 0xFF};

int Fail(const char* what) {
    std::fprintf(stderr, "sdl_floor: %s: %s\n", what, SDL_GetError());
    return 1;
}

bool ParseSize(const char* text, int& size) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value <= 0 || value > 16384)
        return false;
    size = static_cast<int>(value);
    return true;
}

Uint32 FaceColour(const SDL_Surface* target) {
    return SDL_MapRGB(target->format, 0xF0, 0xF0, 0xF0);
}

// The whole frame: the dialog's face colour and the line near the top-left corner.
bool Present(SDL_Window* window, SDL_Surface* text) {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (target == nullptr)
        return false;
    SDL_FillRect(target, nullptr, FaceColour(target));
    SDL_Rect place = {LineX, LineY, text->w, text->h};
    SDL_BlitSurface(text, nullptr, target, &place);
    return SDL_UpdateWindowSurface(window) == 0;
}

// Only the line, drawn over what the longer of the two left.
bool PresentLine(SDL_Window* window, SDL_Surface* text, const SDL_Rect& line) {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (target == nullptr)
        return false;
    SDL_FillRect(target, &line, FaceColour(target));
    SDL_Rect place = {LineX, LineY, text->w, text->h};
    SDL_BlitSurface(text, nullptr, target, &place);
    return SDL_UpdateWindowSurfaceRects(window, &line, 1) == 0;
}

} // namespace

int main(int argc, char** argv) {
    int width = 0;
    int height = 0;
    if (argc != 3 || !ParseSize(argv[1], width) || !ParseSize(argv[2], height)) {
        std::fprintf(stderr, "usage: sdl_floor WIDTH HEIGHT\n");
        return 2;
    }

    // The hints of the calculator's SDL backend.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return Fail("cannot open display");
    if (TTF_Init() != 0)
        return Fail("cannot start the font engine");
    const auto file = FindInterfaceFont();
    if (!file) {
        std::fprintf(stderr, "sdl_floor: cannot find a sans-serif font with fontconfig\n");
        return 1;
    }
    TTF_Font* font = TTF_OpenFontIndex(file->path.c_str(), FontPixelSize, file->index);
    if (font == nullptr)
        return Fail(("cannot open the font " + file->path).c_str());
    TTF_SetFontHinting(font, TTF_HINTING_NORMAL);

    SDL_Window* window = SDL_CreateWindow("sdl_floor", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_HIDDEN);
    if (window == nullptr)
        return Fail("cannot create the window");
    SDL_ShowWindow(window);
    SDL_Surface* text = TTF_RenderUTF8_Blended(font, Line, TextColour);
    SDL_Surface* shorter = TTF_RenderUTF8_Blended(font, ShorterLine, TextColour);
    if (text == nullptr || shorter == nullptr)
        return Fail("cannot render the text");
    const SDL_Rect line = {LineX, LineY, text->w, text->h};
    SDL_Surface* shown = text;
    if (!Present(window, shown))
        return Fail("cannot present the frame");

    // SIGTERM and the window's close button both arrive as SDL_QUIT.
    SDL_Event event;
    bool running = true;
    while (running && SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT) {
            running = false;
        } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            Present(window, shown);
        } else if (event.type == SDL_KEYDOWN) {
            shown = shown == text ? shorter : text;
            PresentLine(window, shown, line);
        }
    }

    SDL_FreeSurface(shorter);
    SDL_FreeSurface(text);
    SDL_DestroyWindow(window);
    TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
