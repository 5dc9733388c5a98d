#include "testing/simulated_desktop.h"

#include "platform/backends/headless/headless_backend.h"
#include "platform/core/window_system.h"
#include "platform/text/clipboard.h"

int BeepsHeard() {
    return Windows().beep_count;
}

std::vector<std::string> AddressesOpened() {
    return Windows().opened_addresses;
}

// Our window system keeps the clipboard in code page 1254; the headless backend can model a
// text that the code page cannot show.
bool PutOnClipboard(const std::optional<std::string>& bytes, std::u32string_view) {
    if (auto* headless = dynamic_cast<HeadlessBackend*>(Windows().backend.get())) {
        headless->set_clipboard_contents(bytes);
        return true;
    }
    if (!bytes) {
        return false;
    }
    WriteClipboardText(*bytes);
    return true;
}
