#pragma once

// Dialog templates and other resources as plain constant data, the way a resource script
// describes them: one table of controls per dialog, positions in dialog units, and a
// module's icons, bitmaps and strings. The window system builds windows from these; the
// resource compiler of the Windows build is fed from the same tables. Nothing here creates
// a window, and no module is named here: a program hands its own to the window system.

#include <cstddef>
#include <cstdint>
#include <span>

struct ControlTemplate {
    const char* class_name; // "EDIT", "STATIC", "BUTTON", "SysTabControl32"
    const char* text;       // code-page-1254 bytes; nullptr for none
    int id;
    int x, y, width, height;
    std::uint32_t style; // WS_CHILD and WS_VISIBLE included where the control has them
    std::uint32_t ex_style;
    int resource_id = 0; // a picture's bitmap
};

// What a screen reader says of a control beyond what the control shows, kept beside each
// template's controls: a name where the visible text does not tell the control apart (an "="
// button, a field with no text of its own), a description, and the labels that name it (ids
// of the same dialog). A control without a name is named by its first label, else by its
// own text.
struct AccessibleNaming {
    int id;
    const char* name;        // code-page-1254 bytes; nullptr for none
    const char* description; // the same; nullptr for none
    int labelled_by[2];      // 0 for none
};

struct DialogTemplate {
    int id;
    const char* caption; // code-page-1254 bytes; nullptr for none
    int x, y, width, height;
    std::uint32_t style;
    std::uint32_t ex_style;
    const char* font_face;
    int font_points;
    std::span<const ControlTemplate> controls;
    std::span<const AccessibleNaming> naming = {};
};

struct BinaryResource {
    int id;
    std::span<const std::uint8_t> bytes;
};

struct StringResource {
    unsigned id;
    const char* text; // code-page-1254 bytes
};

// Everything a module carries: the value behind its HINSTANCE.
struct ModuleResources {
    std::span<const DialogTemplate* const> dialogs;
    std::span<const BinaryResource> icons;   // .ico files
    std::span<const BinaryResource> bitmaps; // .bmp files (with their file header)
    std::span<const StringResource> strings;
};

const DialogTemplate* FindDialog(const ModuleResources& module, int id);
const BinaryResource* FindResource(std::span<const BinaryResource> table, int id);
const StringResource* FindString(const ModuleResources& module, unsigned id);
