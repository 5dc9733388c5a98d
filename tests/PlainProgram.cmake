# The real program without sanitizers, for valgrind, which cannot run a sanitized one. In a
# sanitized test tree it is built in a tree of its own inside this one, from the same
# sources; otherwise the tree's own program serves. Sets kalvetra_plain_program.
if(KALVETRA_SANITIZE)
    include(${CMAKE_SOURCE_DIR}/cmake/InnerTree.cmake)
    kalvetra_inner_tree(plain kalvetra
        -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER} -DKALVETRA_SANITIZE=OFF)
    set(kalvetra_plain_program ${CMAKE_BINARY_DIR}/plain/bin/kalvetra)
else()
    set(kalvetra_plain_program $<TARGET_FILE:kalvetra>)
endif()
