#include "platform/backends/desktop/display_loss.h"

#include <unistd.h>

void LeaveOnLostDisplay() {
    constexpr char Message[] = "kalvetra: lost the connection to the display\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, Message, sizeof Message - 1);
    _exit(1);
}
