#pragma once

// Makes the program readable and operable by the desktop's screen readers, through ATK and
// its AT-SPI 2 adaptor, at no cost while nobody wants it. After the first frame a helper
// thread asks the session whether assistive technology is wanted (accessibility_status.h);
// the first time it is, the bridge starts: the windows' own descriptions answer ATK
// (atk_tree.h), their events become its signals (atk_events.h), and the bridge's D-Bus
// traffic is served on this thread between events (glib_pump.h). Without a session bus
// nothing starts and nothing is spawned.

// Once, after the window system started and before the main window runs.
void WatchForAssistiveTechnology();
