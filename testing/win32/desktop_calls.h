#pragma once

// For the script driver of the Windows build: makes the program's two calls that reach
// past its window observable. MessageBeep is counted and still sounds; ShellExecuteA is
// recorded and not performed, so that no browser starts. What was observed is read through
// simulated_desktop.h.

// Redirects both calls in this program's import table (import_table.h); false when the
// program does not import one of them.
bool ObserveDesktopCalls();
