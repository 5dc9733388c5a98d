#pragma once

// Tells assistive technology what changed, as ATK signals that the bridge sends on: it takes
// the window system's events (NotifyWinEvent), asks the window what it is now and signals
// the difference from what it said before: focus, states (checked, default, selected,
// showing, active), names, and a field's text (as what was removed and what was inserted),
// caret and selection.

// Makes every object of the tree as it is now and hooks the events.
void StartAtkEvents();

// Tells of the window that has the desktop's keyboard and of the control that has the
// window's: what a screen reader that has just begun to listen needs to hear first.
void AnnounceActiveWindow();
