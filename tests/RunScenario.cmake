# Runs one script through the driver and compares standard output and the exit code with
# the expectation beside it: NAME.out, whose last line may be "status N" (0 when absent),
# and, when there is one, NAME.err with the whole of standard error.
get_filename_component(folder ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
file(READ ${folder}/${name}.out expected)
set(expected_status 0)
if(expected MATCHES "(^|\n)status ([0-9]+)\n?$")
    set(expected_status ${CMAKE_MATCH_2})
    string(REGEX REPLACE "(^|\n)status [0-9]+\n?$" "\\1" expected "${expected}")
endif()
execute_process(COMMAND ${DRIVER} ${SCRIPT}
    OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
set(errors_differ FALSE)
if(EXISTS ${folder}/${name}.err)
    file(READ ${folder}/${name}.err expected_errors)
    if(NOT errors STREQUAL expected_errors)
        set(errors_differ TRUE)
    endif()
endif()
if(NOT status EQUAL expected_status OR NOT actual STREQUAL expected OR errors_differ)
    message(FATAL_ERROR "scenario ${name}: exit ${status} (expected ${expected_status})\n"
        "--- expected\n${expected}--- actual\n${actual}--- stderr\n${errors}"
        "--- expected stderr\n${expected_errors}")
endif()
