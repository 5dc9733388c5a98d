# In the sanitized test tree: builds the fuzz targets in a clang tree of their own inside
# this one (the libraries again, with libFuzzer's coverage), and runs each target briefly
# from its seed corpus as a test. Long runs are started by hand from the same tree:
#   TREE/fuzz/bin/main-window-fuzzer -jobs=1 -max_total_time=1800 WORK_DIR tests/fuzz/corpus/main_window

find_program(KALVETRA_CLANGXX NAMES clang++ clang++-14)
if(NOT KALVETRA_CLANGXX)
    message(FATAL_ERROR "The fuzz targets need clang++ and libFuzzer: run tools/install-deps.sh")
endif()

include(${CMAKE_SOURCE_DIR}/cmake/InnerTree.cmake)
kalvetra_inner_tree(fuzz fuzzers -DCMAKE_CXX_COMPILER=${KALVETRA_CLANGXX}
    "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DKALVETRA_FUZZ=ON -DKALVETRA_SANITIZE=ON)
set(fuzz_tree ${CMAKE_BINARY_DIR}/fuzz)

# Each run is bounded by its count of inputs and, on a slow machine, by time.
set(smoke_runs codec-fuzzer codec 100000 main-window-fuzzer main_window 3000
    desktop-edge-fuzzer desktop_edge 1000)
while(smoke_runs)
    list(POP_FRONT smoke_runs fuzzer corpus runs)
    add_test(NAME fuzz.${corpus}
        COMMAND ${CMAKE_COMMAND} -DFUZZER=${fuzz_tree}/bin/${fuzzer}
                -DSEEDS=${CMAKE_CURRENT_SOURCE_DIR}/corpus/${corpus}
                -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${corpus}-smoke -DRUNS=${runs} -DSECONDS=40
                -P ${CMAKE_CURRENT_SOURCE_DIR}/RunFuzzSmoke.cmake)
    # The desktop edge's target runs SDL and fontconfig, whose own leaks are suppressed.
    set_tests_properties(fuzz.${corpus} PROPERTIES TIMEOUT 120
        ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
endwhile()
