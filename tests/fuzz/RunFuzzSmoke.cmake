# Runs one fuzz target briefly: FUZZER from the seed corpus SEEDS for RUNS inputs or at most
# SECONDS, with a fixed seed so that a run repeats. What the fuzzer adds to its corpus and
# any crashing input go to the scratch folder WORK, never into the repository.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/crashes)
execute_process(
    COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -max_total_time=${SECONDS} -timeout=10
            -print_final_stats=1 -artifact_prefix=${WORK}/crashes/ ${WORK}/corpus ${SEEDS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK}/crashes")
endif()
