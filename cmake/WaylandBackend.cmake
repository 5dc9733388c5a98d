# The Wayland backend: libwayland-client with its cursors, xkbcommon for the keyboard,
# libdecor for a title bar where the compositor draws none, and the protocols that are not
# in libwayland itself, turned into C by wayland-scanner at build time (hence C, which only
# this build for the host needs).
enable_language(C)
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-cursor xkbcommon libdecor-0)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT WAYLAND_PROTOCOLS_DIR OR NOT WAYLAND_SCANNER)
    message(FATAL_ERROR "the Wayland backend needs wayland-protocols and libwayland-bin (tools/install-deps.sh)")
endif()

set(wayland_protocol_dir ${CMAKE_BINARY_DIR}/wayland-protocols)
set(wayland_protocol_sources)
foreach(protocol unstable/primary-selection/primary-selection-unstable-v1)
    get_filename_component(protocol_name ${protocol} NAME)
    set(xml ${WAYLAND_PROTOCOLS_DIR}/${protocol}.xml)
    set(header ${wayland_protocol_dir}/${protocol_name}-client-protocol.h)
    set(code ${wayland_protocol_dir}/${protocol_name}-protocol.c)
    add_custom_command(OUTPUT ${header} ${code}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${wayland_protocol_dir}
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
        DEPENDS ${xml} VERBATIM)
    list(APPEND wayland_protocol_sources ${header} ${code})
endforeach()

kalvetra_library(kalvetra_wayland platform/backends/wayland)
target_sources(kalvetra_wayland PRIVATE ${wayland_protocol_sources})
target_include_directories(kalvetra_wayland PRIVATE ${wayland_protocol_dir})
target_link_libraries(kalvetra_wayland PUBLIC kalvetra_software kalvetra_desktop PkgConfig::WAYLAND)
# Listener tables name the events of the versions bound, and events are made with the fields
# they carry: what is not named stays null or default.
target_compile_options(kalvetra_wayland PRIVATE -Wno-missing-field-initializers)
