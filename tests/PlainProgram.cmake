# The real program without sanitizers, for valgrind, which cannot run a sanitized one. In a
# sanitized test tree it is built in a tree of its own inside this one, from the same
# sources; otherwise the tree's own program serves. Sets kalvetra_plain_program.
if(KALVETRA_SANITIZE)
    include(ExternalProject)
    set(plain_tree ${CMAKE_BINARY_DIR}/plain)
    ExternalProject_Add(plain-tree
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${plain_tree}
        CMAKE_GENERATOR ${CMAKE_GENERATOR}
        CMAKE_ARGS -Wno-dev -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER} -DCMAKE_BUILD_TYPE=Debug
                   -DKALVETRA_SANITIZE=OFF -DKALVETRA_TESTS=OFF
        BUILD_COMMAND ${CMAKE_COMMAND} --build ${plain_tree} --target kalvetra
        BUILD_ALWAYS ON
        INSTALL_COMMAND "")
    set(kalvetra_plain_program ${plain_tree}/bin/kalvetra)
else()
    set(kalvetra_plain_program $<TARGET_FILE:kalvetra>)
endif()
