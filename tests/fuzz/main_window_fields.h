#pragma once

// The main window's controls as a user meets them, for the fuzz target, the soak and the
// hostile-input tests: every edit field with the page it lies on and what bounds what the
// user can put into it, and every button and check box. Written from the product's
// description of its pages, not read from the templates, so that a template that drifts
// from it shows up as a broken rule.

#include "pages/about_page.h"
#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "resources/resource_ids.h"

#include <cstddef>
#include <cstdint>
#include <span>

// What typing and pasting may leave in a field.
enum class FieldBound : std::uint8_t {
    Limit,         // at most `limit` characters
    LimitAndPairs, // at most `limit` characters, hexadecimal digits and spaces only (4014)
    VisibleWidth,  // what shows whole in the field, which does not scroll (4016)
    ReadOnly,      // the user cannot change it (results, decimal and octal forms)
};

struct FieldInfo {
    int id;
    int page; // tab index: 0 logic, 1 arithmetic, 2 conversion
    FieldBound bound;
    std::size_t limit; // for Limit and LimitAndPairs
};

struct ButtonInfo {
    int id;
    int page; // tab index, or -1 for the main window's own buttons
};

std::span<const FieldInfo> Fields();
const FieldInfo* FindField(int id); // null for an id that is no edit field

std::span<const ButtonInfo> Buttons();

constexpr int ClearButton = 1; // "Temizle"
constexpr int CloseButton = 2; // "Kapat"

// The one address the About page's link opens.
constexpr const char* MakerAddress = "http://www.qlx.example/";
