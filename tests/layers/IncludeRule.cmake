# The include rule between the window system's layers and the program (ARCHITECTURE.md):
# every #include "..." of a file under platform/, testing/ and the program's folders must
# name a file its layer may use. Run as a test: cmake -DSOURCE=DIR -P IncludeRule.cmake
#
# Each rule is a layer (a folder or a file, the longest match wins), "=", and the prefixes of
# what it may include, separated by commas; a layer may always include its own files.

set(rules
    "platform/win/windows_api.h="
    "platform/text/="
    "platform/paint/=platform/text/,platform/win/windows_api.h"
    "platform/backends/backend.h=platform/paint/"
    "platform/backends/headless/=platform/backends/backend.h,platform/paint/,platform/text/"
    # Painting draw lists into SDL surfaces with SDL_ttf, for the backends that draw in software.
    "platform/backends/software/=platform/paint/,platform/text/"
    # What the display backends share of the desktop (signals, session bus, the portal's
    # appearance settings, opener, selection limits): nothing of the window system but the
    # names of its palettes.
    "platform/backends/desktop/=platform/paint/colour_scheme.h"
    # The measuring backend is the headless one with the display's font.
    "platform/backends/sdl/=platform/backends/backend.h,platform/backends/desktop/,platform/backends/software/,platform/backends/headless/,platform/paint/,platform/text/"
    "platform/backends/wayland/=platform/backends/backend.h,platform/backends/desktop/,platform/backends/software/,platform/paint/,platform/text/"
    # Choosing between the display backends for a desktop program.
    "platform/backends/choose_display_backend=platform/backends/backend.h,platform/backends/sdl/sdl_backend.h,platform/backends/wayland/wayland_backend.h"
    "platform/backends/win32/=platform/text/,platform/win/windows_api.h"
    "platform/core/=platform/accessibility/accessible_object.h,platform/backends/backend.h,platform/paint/,platform/text/,platform/win/"
    "platform/win/=platform/core/,platform/paint/,platform/text/"
    "platform/controls/=platform/accessibility/accessible_object.h,platform/core/,platform/paint/,platform/text/,platform/win/"
    # What a window answers to WM_GETOBJECT is plain data; the tree built from the answers
    # stands on the core, and the bridge to the desktop's screen readers on the tree.
    "platform/accessibility/accessible_object.h=platform/paint/,platform/win/windows_api.h"
    "platform/accessibility/=platform/core/,platform/paint/,platform/text/,platform/win/"
    "platform/accessibility/atk/=platform/accessibility/,platform/backends/desktop/glib_pump.h,platform/backends/desktop/session_bus.h,platform/core/,platform/paint/,platform/text/,platform/win/"
    "platform/platform=platform/backends/backend.h,platform/controls/,platform/core/,platform/win/"
    "testing/=platform/"
    # The program sees the window system through its calls, its templates, the clipboard and
    # the backend it chooses; never through the core's or the controls' insides.
    "app/=pages/,resources/,platform/platform.h,platform/win/windows_api.h,platform/backends/,platform/accessibility/atk/assistive_technology.h"
    "pages/=operand/,convert/,resources/,platform/win/windows_api.h,platform/text/clipboard.h"
    "operand/=platform/win/windows_api.h,platform/text/clipboard.h"
    "convert/="
    "resources/=pages/,platform/core/dialog_template.h,platform/controls/control_classes.h,platform/win/windows_api.h"
)

file(GLOB_RECURSE sources RELATIVE ${SOURCE}
    ${SOURCE}/platform/*.h ${SOURCE}/platform/*.cpp ${SOURCE}/testing/*.h ${SOURCE}/testing/*.cpp
    ${SOURCE}/app/*.h ${SOURCE}/app/*.cpp ${SOURCE}/pages/*.h ${SOURCE}/pages/*.cpp
    ${SOURCE}/operand/*.h ${SOURCE}/operand/*.cpp ${SOURCE}/convert/*.h ${SOURCE}/convert/*.cpp
    ${SOURCE}/resources/*.h ${SOURCE}/resources/*.cpp)

set(broken 0)
foreach(source ${sources})
    # The layer: the longest rule whose name begins the file's path.
    set(layer "")
    set(allowed "")
    foreach(rule ${rules})
        string(FIND "${rule}" "=" equals)
        string(SUBSTRING "${rule}" 0 ${equals} name)
        math(EXPR after "${equals} + 1")
        string(SUBSTRING "${rule}" ${after} -1 prefixes)
        string(FIND "${source}" "${name}" at)
        string(LENGTH "${name}" name_length)
        string(LENGTH "${layer}" layer_length)
        if(at EQUAL 0 AND name_length GREATER layer_length)
            set(layer "${name}")
            set(allowed "${prefixes}")
        endif()
    endforeach()
    if(layer STREQUAL "")
        message(SEND_ERROR "${source}: no layer names this file")
        math(EXPR broken "${broken} + 1")
        continue()
    endif()
    string(REPLACE "," ";" allowed "${allowed}")
    file(STRINGS ${SOURCE}/${source} includes REGEX "^#include \"")
    foreach(line ${includes})
        string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" included "${line}")
        # Relative includes (a test's own helpers) name files beside the including one.
        if(NOT included MATCHES "/")
            continue()
        endif()
        set(ok FALSE)
        foreach(prefix ${layer} ${allowed})
            string(FIND "${included}" "${prefix}" at)
            if(at EQUAL 0)
                set(ok TRUE)
            endif()
        endforeach()
        if(NOT ok)
            message(SEND_ERROR "${source} (${layer}) may not include ${included}")
            math(EXPR broken "${broken} + 1")
        endif()
    endforeach()
endforeach()
list(LENGTH sources count)
if(broken GREATER 0)
    message(FATAL_ERROR "${broken} includes break the layers' rule")
endif()
message(STATUS "${count} files keep to the layers' rule")
