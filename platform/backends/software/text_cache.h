#pragma once

// A small least-recently-used store of rendered text surfaces, keyed by the text's bytes and
// its colour, so that a frame redrawn while the user types renders only the labels that
// changed. It owns the surfaces it holds; rendering itself is the caller's.

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

class TextCache {
  public:
    explicit TextCache(std::size_t capacity) : m_capacity(capacity) {}
    ~TextCache();
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;

    using Render = std::function<SDL_Surface*(std::string_view text, std::uint32_t colour)>;

    // The cached surface, or render's new one (kept, unless it is null); the cache keeps
    // ownership, and the surface stays valid until the next call.
    SDL_Surface* find_or_render(std::string_view text, std::uint32_t colour, const Render& render);
    void clear();

  private:
    struct Entry {
        std::string key;
        SDL_Surface* surface;
    };

    std::size_t m_capacity;
    std::list<Entry> m_entries; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
};
