/* Stands in for the entry points of the X11 client libraries (Xlib's XOpenDisplay, xcb's
 * connections): a call writes its name into the file named by KALVETRA_X11_TRIPWIRE and
 * fails as it would without a display. Preloaded into a program that must not touch X11. */

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>

static void note(const char* name) {
    const char* path = getenv("KALVETRA_X11_TRIPWIRE");
    FILE* file = path != NULL ? fopen(path, "a") : NULL;
    if (file == NULL)
        return;
    fprintf(file, "%s\n", name);
    fclose(file);
}

void* XOpenDisplay(const char* name) {
    (void)name;
    note("XOpenDisplay");
    return NULL;
}

void* xcb_connect(const char* name, int* screen) {
    (void)name;
    (void)screen;
    note("xcb_connect");
    return NULL;
}

void* xcb_connect_to_display_with_auth_info(const char* name, void* auth, int* screen) {
    (void)name;
    (void)auth;
    (void)screen;
    note("xcb_connect_to_display_with_auth_info");
    return NULL;
}
