#pragma once

// Reads the X display's CLIPBOARD or PRIMARY selection for a paste, on a connection and into
// a window of its own: the owner's answer is awaited for a bounded time, a transfer in chunks
// (INCR) is read up to a bounded size, and the selection is never taken over. (SDL's own
// reader waits a second, then makes the program the owner with an empty text, and cannot read
// chunks.) Writing the selections stays SDL's; what the text means is the caller's.

#include "platform/backends/desktop/selection_limits.h"

#include <string>

struct _XDisplay;

enum class X11Selection { Clipboard, Primary };

// What a paste found on the clipboard or the PRIMARY selection.
struct SelectionRead {
    enum class Outcome {
        Text,       // utf8 holds the text; empty when no one owns the clipboard or the owner
                    // has no text
        HeldBySdl,  // the program's own copy, which SDL holds and reads without asking
        Unanswered, // the owner did not answer in time, broke off, or sent too much
    };
    Outcome outcome = Outcome::Text;
    std::string utf8;
};

class X11ClipboardReader {
  public:
    // Connects to the display that SDL's window is on; is_connected() tells whether it could.
    explicit X11ClipboardReader(const char* display_name);
    ~X11ClipboardReader();
    X11ClipboardReader(const X11ClipboardReader&) = delete;
    X11ClipboardReader& operator=(const X11ClipboardReader&) = delete;

    bool is_connected() const { return m_display != nullptr; }
    // Called after SDL has set the selection: the window that now owns it is SDL's.
    void note_sdl_owner(X11Selection selection);
    SelectionRead read(X11Selection selection);

  private:
    unsigned long atom(X11Selection selection) const;
    unsigned long owner(X11Selection selection) const;

    _XDisplay* m_display = nullptr;
    // The X windows through which SDL holds the clipboard and the PRIMARY selection.
    unsigned long m_sdl_owners[2] = {};
};
