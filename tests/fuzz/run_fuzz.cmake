# Runs one fuzz target for SECONDS on a copy of its seed corpus CORPUS in RUN: new inputs go to
# the copy, never into the repository, and an input that breaks the target is left in RUN.
#   cmake -D TARGET=program -D CORPUS=folder -D RUN=folder -D SECONDS=n -P run_fuzz.cmake
file(REMOVE_RECURSE ${RUN})
file(MAKE_DIRECTORY ${RUN})
file(COPY ${CORPUS}/ DESTINATION ${RUN}/corpus)
execute_process(
    COMMAND ${TARGET} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
            -artifact_prefix=${RUN}/ -print_final_stats=1 ${RUN}/corpus
    RESULT_VARIABLE status OUTPUT_FILE ${RUN}/log ERROR_FILE ${RUN}/log)
file(STRINGS ${RUN}/log done REGEX "Done [0-9]+ runs in")
if(NOT status EQUAL 0)
    file(READ ${RUN}/log log)
    string(LENGTH "${log}" length)
    if(length GREATER 6000)
        math(EXPR start "${length} - 6000")
        string(SUBSTRING "${log}" ${start} -1 log)
    endif()
    message(FATAL_ERROR "${TARGET} failed (${status}); the input that broke it is in ${RUN}/\n${log}")
endif()
message(STATUS "${done}")
