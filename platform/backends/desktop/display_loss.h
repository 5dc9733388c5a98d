#pragma once

// Ends the program when its display connection is gone, with one line on standard error
// ("kalvetra: lost the connection to the display") and exit status 1, whatever the display.
// It touches nothing that might still talk to the display: no exit handlers run, and it may
// be called from inside a display library's own error handler.

[[noreturn]] void LeaveOnLostDisplay();
