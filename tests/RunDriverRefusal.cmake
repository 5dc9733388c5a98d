# Runs the script driver on something that is no script it can read (ARGUMENT) and expects
# exit code 2, nothing on standard output and standard error matching EXPECTED_ERROR.
execute_process(COMMAND ${DRIVER} ${ARGUMENT}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT output STREQUAL "" OR NOT errors MATCHES "${EXPECTED_ERROR}")
    message(FATAL_ERROR "kalvetra-script ${ARGUMENT}: exit ${status} (expected 2)\n"
        "--- stdout\n${output}--- stderr\n${errors}--- expected stderr to match\n"
        "${EXPECTED_ERROR}\n")
endif()
