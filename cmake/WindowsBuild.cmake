# The native Windows build, cross-compiled with MinGW-w64 (cmake/mingw-i686.cmake or
# cmake/mingw-x86_64.cmake as the toolchain file):
#   kalvetra.exe         the calculator as a Windows GUI program: its dialogs are built by
#                        the system from the program's resources, its fields are real EDIT
#                        controls subclassed by the keystroke filters
#   kalvetra-script.exe  the script driver on those real controls (a console program)
# The pages, filters, conversions and main window are the sources of the other backends;
# platform/backends/win32/ holds what only Windows needs. The resource script is written at build
# time by kalvetra-rcgen, a program of the host build (KALVETRA_RCGEN), from the templates
# of resources/, so that every backend reads its controls from the same tables.

enable_language(RC)

set(KALVETRA_RCGEN "" CACHE FILEPATH "kalvetra-rcgen of a host build of this project")
if(NOT EXISTS "${KALVETRA_RCGEN}")
    message(FATAL_ERROR "KALVETRA_RCGEN must name kalvetra-rcgen of a host build "
                        "(`make windows` builds it and passes it on)")
endif()

# No DLL beyond the system's: the C++ runtime and libgcc are linked in. Release builds carry
# no symbols.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

function(kalvetra_windows_library name)
    set(sources)
    foreach(pattern ${ARGN})
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${pattern})
        list(APPEND sources ${found})
    endforeach()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# The window system is the system's own; of platform/ only the clipboard needs code here.
kalvetra_windows_library(kalvetra_platform platform/backends/win32/clipboard.cpp)
target_link_libraries(kalvetra_platform PUBLIC user32 gdi32 comctl32 shell32)

# The templates reach Windows as the resource script; only the texts that the pages use
# themselves are compiled.
kalvetra_windows_library(kalvetra_resources resources/about_texts.cpp)

kalvetra_windows_library(kalvetra_convert convert/*.cpp)
kalvetra_windows_library(kalvetra_operand operand/*.cpp)
target_link_libraries(kalvetra_operand PUBLIC kalvetra_platform)
kalvetra_windows_library(kalvetra_pages pages/*.cpp)
target_link_libraries(kalvetra_pages PUBLIC kalvetra_operand kalvetra_convert kalvetra_resources)

file(GLOB app_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
list(FILTER app_sources EXCLUDE REGEX ".*/(windows_)?main\\.cpp$")
add_library(kalvetra_app STATIC ${app_sources})
target_include_directories(kalvetra_app PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(kalvetra_app PUBLIC kalvetra_pages)

# kalvetra.rc: dialog templates 1000-5000, icon 1002, bitmap 1003 and the version block.
set(resource_script ${CMAKE_BINARY_DIR}/kalvetra.rc)
add_custom_command(
    OUTPUT ${resource_script}
    COMMAND ${KALVETRA_RCGEN} ${resource_script}
    DEPENDS ${KALVETRA_RCGEN}
    COMMENT "Writing kalvetra.rc from the templates of resources/")
add_library(kalvetra_resource_script OBJECT ${resource_script})
# windres looks for the icon and the bitmap in its include directories.
target_include_directories(kalvetra_resource_script PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_property(SOURCE ${resource_script} PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/kalvetra.ico ${CMAKE_SOURCE_DIR}/resources/banner.bmp)

add_executable(kalvetra WIN32 app/windows_main.cpp)
target_link_libraries(kalvetra PRIVATE kalvetra_app kalvetra_resource_script)

add_executable(kalvetra-script
    tools/script/script_runner.cpp
    tools/script/script_text.cpp
    tools/script/win32/main.cpp
    platform/text/codepage1254.cpp
    testing/win32/import_table.cpp
    testing/win32/simulated_desktop.cpp
    testing/win32/simulated_user.cpp)
target_include_directories(kalvetra-script PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(kalvetra-script PRIVATE kalvetra_app kalvetra_resource_script)
