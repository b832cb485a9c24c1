# Runs one fuzzer for a few seconds on a fresh copy of its seeds, so that a
# fuzzer that no longer builds, or starts from nothing, is seen by ctest.
#   cmake -DFUZZER=<program> -DCORPUS=<folder made anew> -DSECONDS=<n>
#         [-DSEEDS=<folder of seeds>] [-DMAKE_SEEDS=<program that writes seeds into a folder>]
#         -P RunFuzzer.cmake
# A finding is written beside the folder, as crash-… (or leak-…, timeout-…).
file(REMOVE_RECURSE ${CORPUS})
file(MAKE_DIRECTORY ${CORPUS})
if(SEEDS)
    file(COPY ${SEEDS}/ DESTINATION ${CORPUS})
endif()
if(MAKE_SEEDS)
    execute_process(COMMAND ${MAKE_SEEDS} ${CORPUS} RESULT_VARIABLE made)
    if(NOT made EQUAL 0)
        message(FATAL_ERROR "${MAKE_SEEDS} could not write the seeds (${made})")
    endif()
endif()
file(GLOB seeds ${CORPUS}/*)
if(NOT seeds)
    message(FATAL_ERROR "no seeds for ${FUZZER}")
endif()
get_filename_component(findings ${CORPUS} DIRECTORY)
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=1024 -print_final_stats=1
                        -artifact_prefix=${findings}/ ${CORPUS}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} found a fault (${result}); what it ran on is in ${findings}")
endif()
