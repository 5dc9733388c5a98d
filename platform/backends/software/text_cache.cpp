#include "platform/backends/software/text_cache.h"

namespace {

// The colour's four bytes, then the text: unique for each text and colour pair.
std::string KeyFor(std::string_view text, std::uint32_t colour) {
    std::string key(reinterpret_cast<const char*>(&colour), sizeof colour);
    key += text;
    return key;
}

} // namespace

TextCache::~TextCache() {
    clear();
}

SDL_Surface* TextCache::find_or_render(std::string_view text, std::uint32_t colour,
                                       const Render& render) {
    std::string key = KeyFor(text, colour);
    if (const auto found = m_index.find(key); found != m_index.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return found->second->surface;
    }
    SDL_Surface* surface = render(text, colour);
    if (surface == nullptr)
        return nullptr;
    if (m_entries.size() >= m_capacity) {
        SDL_FreeSurface(m_entries.back().surface);
        m_index.erase(m_entries.back().key);
        m_entries.pop_back();
    }
    m_entries.push_front({key, surface});
    m_index.emplace(std::move(key), m_entries.begin());
    return surface;
}

void TextCache::clear() {
    for (const Entry& entry : m_entries)
        SDL_FreeSurface(entry.surface);
    m_entries.clear();
    m_index.clear();
}
