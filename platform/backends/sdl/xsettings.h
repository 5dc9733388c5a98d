#pragma once

// Reads the settings that an XSETTINGS manager (a desktop's settings daemon) publishes in
// the _XSETTINGS_SETTINGS property of the window that owns the _XSETTINGS_Sn selection: a
// byte order, a serial, and a list of named integers, strings and colours. Only the bytes
// are read here; finding the owner and its property is the caller's.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The integer setting of that name ("Xft/DPI"); nullopt when the list has none, holds the
// name with another type, or is cut short before it.
std::optional<std::int32_t> XsettingsInteger(std::span<const std::uint8_t> settings,
                                             std::string_view name);
