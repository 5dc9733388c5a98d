#pragma once

// The "Hakkında" page: banner, credits and the maker's web address as a link that shows a
// hand pointer, is drawn in the desktop's link colour and opens the address in the web browser. It
// computes nothing and keeps no state beyond its controls.

#include "platform/win/windows_api.h"
#include "resources/resource_ids.h"

// The page's controls, in stacking order.
constexpr int AboutBanner = BannerBitmapId; // a picture has the id of its bitmap
constexpr int AboutTextGroup = 5001;
constexpr int AboutTitle = 5002; // on the text group's top edge
constexpr int AboutCredit = 5003;
constexpr int AboutDescription = 5004;
constexpr int AboutThanks = 5005;
constexpr int AboutSystems = 5006;
constexpr int AboutContactGroup = 5007;
constexpr int AboutContactHeading = 5008; // on the contact group's top edge
constexpr int AboutEmail = 5009;
constexpr int AboutLink = 5010;

// The system's hand cursor, loaded at start-up; shown over the link.
extern HCURSOR HandCursor;

// The link's background, the system's brush of the button-face colour; taken when the page
// initialises and handed out each time the link is painted.
extern HBRUSH LinkBackground;

INT_PTR CALLBACK AboutPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// The link's window procedure: the hand pointer, everything else to the link's own
// procedure, which it keeps in its user-data slot.
LRESULT CALLBACK LinkCursorProc(HWND link, UINT message, WPARAM wparam, LPARAM lparam);
