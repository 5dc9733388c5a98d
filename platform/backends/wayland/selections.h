#pragma once

// The clipboard (wl_data_device) and the PRIMARY selection (zwp_primary_selection_v1) of a
// Wayland seat: offering the program's text as UTF-8 and reading what another program
// offers, through selection_pipe. Both protocols have the same shape, so one template serves
// both; each protocol's types are named below, its requests and listeners in selections.cpp.
// Turning the text into code page 1254 and knowing when to offer it are the backend's.

#include <wayland-client.h>

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The type to ask an offer for, among those it announces: UTF-8 text, under one of the names
// programs give it; nullopt when it has no text.
std::optional<std::string> PreferredTextType(std::span<const std::string> offered);

struct zwp_primary_selection_device_manager_v1;
struct zwp_primary_selection_device_v1;
struct zwp_primary_selection_offer_v1;
struct zwp_primary_selection_source_v1;

struct ClipboardProtocol {
    using Manager = wl_data_device_manager;
    using Device = wl_data_device;
    using Offer = wl_data_offer;
    using Source = wl_data_source;
};

struct PrimaryProtocol {
    using Manager = zwp_primary_selection_device_manager_v1;
    using Device = zwp_primary_selection_device_v1;
    using Offer = zwp_primary_selection_offer_v1;
    using Source = zwp_primary_selection_source_v1;
};

template <class Protocol> class SelectionChannel {
  public:
    using Manager = typename Protocol::Manager;
    using Device = typename Protocol::Device;
    using Offer = typename Protocol::Offer;
    using Source = typename Protocol::Source;

    // The seat's selection device; display is flushed before a paste waits for its text.
    SelectionChannel(wl_display* display, Manager* manager, wl_seat* seat);
    ~SelectionChannel();
    SelectionChannel(const SelectionChannel&) = delete;
    SelectionChannel& operator=(const SelectionChannel&) = delete;

    // Offers utf8 as the selection; serial is that of the input event that made it.
    void offer(std::string_view utf8, std::uint32_t serial);
    // The selection's text: the program's own without a round trip, another program's
    // through a pipe, empty when nobody offers text; nullopt when the owner did not hand it
    // over in time or whole.
    std::optional<std::string> read();

    // ^Protocol's listeners
    void announce(Offer* offer);
    void add_type(Offer* offer, const char* type);
    void select(Offer* offer);
    void send(Source* source, int fd);
    void cancel(Source* source);

  private:
    wl_display* m_display;
    Manager* m_manager;
    Device* m_device = nullptr;
    std::map<Offer*, std::vector<std::string>> m_offers; // announced, with their types
    Offer* m_selection = nullptr;                        // the one the seat holds now
    Source* m_source = nullptr;                          // ours, until it is replaced
    std::string m_text;                                  // what m_source offers, UTF-8
};

extern template class SelectionChannel<ClipboardProtocol>;
extern template class SelectionChannel<PrimaryProtocol>;
using Clipboard = SelectionChannel<ClipboardProtocol>;
using PrimarySelection = SelectionChannel<PrimaryProtocol>;
