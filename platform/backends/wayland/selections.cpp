#include "platform/backends/wayland/selections.h"

#include "platform/backends/wayland/selection_pipe.h"

#include "primary-selection-unstable-v1-client-protocol.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace {

// UTF-8 text by the names programs give it: the MIME type, X's atom (Xwayland's programs),
// and plain text, which today's programs write in UTF-8 too. The first offered is asked for.
constexpr std::array<std::string_view, 3> TextTypes = {"text/plain;charset=utf-8", "UTF8_STRING",
                                                       "text/plain"};
// What the program offers its own text as.
constexpr std::array<const char*, 2> OfferedTypes = {"text/plain;charset=utf-8", "UTF8_STRING"};

template <class Protocol> struct Calls;

template <> struct Calls<ClipboardProtocol> {
    using Channel = SelectionChannel<ClipboardProtocol>;
    static Channel* of(void* data) { return static_cast<Channel*>(data); }

    static constexpr wl_data_offer_listener OfferListener = {
        .offer = [](void* data, wl_data_offer* offer,
                    const char* type) { of(data)->add_type(offer, type); },
    };
    static constexpr wl_data_device_listener DeviceListener = {
        .data_offer =
            [](void* data, wl_data_device*, wl_data_offer* offer) {
                wl_data_offer_add_listener(offer, &OfferListener, data);
                of(data)->announce(offer);
            },
        // Drag and drop: the calculator takes no drops.
        .enter = [](void*, wl_data_device*, std::uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t,
                    wl_data_offer*) {},
        .leave = [](void*, wl_data_device*) {},
        .motion = [](void*, wl_data_device*, std::uint32_t, wl_fixed_t, wl_fixed_t) {},
        .drop = [](void*, wl_data_device*) {},
        .selection = [](void* data, wl_data_device*,
                        wl_data_offer* offer) { of(data)->select(offer); },
    };
    static constexpr wl_data_source_listener SourceListener = {
        .target = [](void*, wl_data_source*, const char*) {},
        .send = [](void* data, wl_data_source* source, const char*,
                   std::int32_t fd) { of(data)->send(source, fd); },
        .cancelled = [](void* data, wl_data_source* source) { of(data)->cancel(source); },
    };

    static wl_data_device* device(wl_data_device_manager* manager, wl_seat* seat, void* data) {
        wl_data_device* device = wl_data_device_manager_get_data_device(manager, seat);
        wl_data_device_add_listener(device, &DeviceListener, data);
        return device;
    }
    static void release(wl_data_device* device) { wl_data_device_destroy(device); }
    static wl_data_source* source(wl_data_device_manager* manager, void* data) {
        wl_data_source* source = wl_data_device_manager_create_data_source(manager);
        wl_data_source_add_listener(source, &SourceListener, data);
        for (const char* type : OfferedTypes)
            wl_data_source_offer(source, type);
        return source;
    }
    static void release(wl_data_source* source) { wl_data_source_destroy(source); }
    static void release(wl_data_offer* offer) { wl_data_offer_destroy(offer); }
    static void set_selection(wl_data_device* device, wl_data_source* source,
                              std::uint32_t serial) {
        wl_data_device_set_selection(device, source, serial);
    }
    static void receive(wl_data_offer* offer, const char* type, int fd) {
        wl_data_offer_receive(offer, type, fd);
    }
};

template <> struct Calls<PrimaryProtocol> {
    using Channel = SelectionChannel<PrimaryProtocol>;
    static Channel* of(void* data) { return static_cast<Channel*>(data); }

    static constexpr zwp_primary_selection_offer_v1_listener OfferListener = {
        .offer = [](void* data, zwp_primary_selection_offer_v1* offer,
                    const char* type) { of(data)->add_type(offer, type); },
    };
    static constexpr zwp_primary_selection_device_v1_listener DeviceListener = {
        .data_offer =
            [](void* data, zwp_primary_selection_device_v1*,
               zwp_primary_selection_offer_v1* offer) {
                zwp_primary_selection_offer_v1_add_listener(offer, &OfferListener, data);
                of(data)->announce(offer);
            },
        .selection = [](void* data, zwp_primary_selection_device_v1*,
                        zwp_primary_selection_offer_v1* offer) { of(data)->select(offer); },
    };
    static constexpr zwp_primary_selection_source_v1_listener SourceListener = {
        .send = [](void* data, zwp_primary_selection_source_v1* source, const char*,
                   std::int32_t fd) { of(data)->send(source, fd); },
        .cancelled = [](void* data,
                        zwp_primary_selection_source_v1* source) { of(data)->cancel(source); },
    };

    static zwp_primary_selection_device_v1* device(zwp_primary_selection_device_manager_v1* manager,
                                                   wl_seat* seat, void* data) {
        auto* device = zwp_primary_selection_device_manager_v1_get_device(manager, seat);
        zwp_primary_selection_device_v1_add_listener(device, &DeviceListener, data);
        return device;
    }
    static void release(zwp_primary_selection_device_v1* device) {
        zwp_primary_selection_device_v1_destroy(device);
    }
    static zwp_primary_selection_source_v1* source(zwp_primary_selection_device_manager_v1* manager,
                                                   void* data) {
        auto* source = zwp_primary_selection_device_manager_v1_create_source(manager);
        zwp_primary_selection_source_v1_add_listener(source, &SourceListener, data);
        for (const char* type : OfferedTypes)
            zwp_primary_selection_source_v1_offer(source, type);
        return source;
    }
    static void release(zwp_primary_selection_source_v1* source) {
        zwp_primary_selection_source_v1_destroy(source);
    }
    static void release(zwp_primary_selection_offer_v1* offer) {
        zwp_primary_selection_offer_v1_destroy(offer);
    }
    static void set_selection(zwp_primary_selection_device_v1* device,
                              zwp_primary_selection_source_v1* source, std::uint32_t serial) {
        zwp_primary_selection_device_v1_set_selection(device, source, serial);
    }
    static void receive(zwp_primary_selection_offer_v1* offer, const char* type, int fd) {
        zwp_primary_selection_offer_v1_receive(offer, type, fd);
    }
};

} // namespace

std::optional<std::string> PreferredTextType(std::span<const std::string> offered) {
    for (const std::string_view type : TextTypes) {
        if (std::find(offered.begin(), offered.end(), type) != offered.end())
            return std::string(type);
    }
    return std::nullopt;
}

template <class Protocol>
SelectionChannel<Protocol>::SelectionChannel(wl_display* display, Manager* manager, wl_seat* seat)
    : m_display(display), m_manager(manager) {
    m_device = Calls<Protocol>::device(manager, seat, this);
}

template <class Protocol> SelectionChannel<Protocol>::~SelectionChannel() {
    for (const auto& [offer, types] : m_offers)
        Calls<Protocol>::release(offer);
    if (m_source != nullptr)
        Calls<Protocol>::release(m_source);
    Calls<Protocol>::release(m_device);
}

template <class Protocol>
void SelectionChannel<Protocol>::offer(std::string_view utf8, std::uint32_t serial) {
    Source* source = Calls<Protocol>::source(m_manager, this);
    Calls<Protocol>::set_selection(m_device, source, serial);
    // The seat cancels the source it replaces, ours among them; until it does, that one
    // still answers with the text it offered.
    if (m_source != nullptr)
        Calls<Protocol>::release(m_source);
    m_source = source;
    m_text = utf8;
}

template <class Protocol> void SelectionChannel<Protocol>::announce(Offer* offer) {
    m_offers[offer];
}

template <class Protocol>
void SelectionChannel<Protocol>::add_type(Offer* offer, const char* type) {
    if (const auto found = m_offers.find(offer); found != m_offers.end())
        found->second.emplace_back(type);
}

template <class Protocol> void SelectionChannel<Protocol>::select(Offer* offer) {
    // Every offer but the new selection is spent: the seat announces a new one each time.
    for (auto entry = m_offers.begin(); entry != m_offers.end();) {
        if (entry->first == offer) {
            ++entry;
        } else {
            Calls<Protocol>::release(entry->first);
            entry = m_offers.erase(entry);
        }
    }
    m_selection = offer;
}

template <class Protocol> void SelectionChannel<Protocol>::send(Source* source, int fd) {
    if (source == m_source)
        WriteSelectionPipe(fd, m_text);
    close(fd);
}

template <class Protocol> void SelectionChannel<Protocol>::cancel(Source* source) {
    if (source == m_source) {
        m_source = nullptr;
        m_text.clear();
    }
    Calls<Protocol>::release(source);
}

template <class Protocol> std::optional<std::string> SelectionChannel<Protocol>::read() {
    // Our own text is at hand: asking the seat for it would wait for an answer that only
    // this thread could give.
    if (m_source != nullptr)
        return m_text;
    const auto found = m_offers.find(m_selection);
    if (m_selection == nullptr || found == m_offers.end())
        return std::string();
    const std::optional<std::string> type = PreferredTextType(found->second);
    if (!type)
        return std::string();
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    Calls<Protocol>::receive(m_selection, type->c_str(), ends[1]);
    wl_display_flush(m_display);
    close(ends[1]);
    std::optional<std::string> text = ReadSelectionPipe(ends[0]);
    close(ends[0]);
    return text;
}

template class SelectionChannel<ClipboardProtocol>;
template class SelectionChannel<PrimaryProtocol>;
