# A tree of this project's own sources built inside the current one with other settings (a
# compiler with libFuzzer, no sanitizers), for tests that need the program or its fuzz
# targets built another way. kalvetra_inner_tree(NAME TARGET CACHE_ARGUMENT...) configures
# ${CMAKE_BINARY_DIR}/NAME as a Debug tree without tests, with the given cache arguments, and
# builds TARGET there at every build of this tree.
include(ExternalProject)

function(kalvetra_inner_tree name target)
    set(tree ${CMAKE_BINARY_DIR}/${name})
    ExternalProject_Add(${name}-tree
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${tree}
        CMAKE_GENERATOR ${CMAKE_GENERATOR}
        CMAKE_ARGS -Wno-dev -DCMAKE_BUILD_TYPE=Debug -DKALVETRA_TESTS=OFF ${ARGN}
        BUILD_COMMAND ${CMAKE_COMMAND} --build ${tree} --target ${target}
        BUILD_ALWAYS ON
        INSTALL_COMMAND "")
endfunction()
