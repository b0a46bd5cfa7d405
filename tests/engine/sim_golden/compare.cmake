# SPDX-License-Identifier: MIT
# Runs gub-sim with the options in ARGS_FILE and compares its summary (all but
# the throughput line, which depends on the machine) with GOLDEN.
file(READ ${ARGS_FILE} args)
string(STRIP "${args}" args)
separate_arguments(args UNIX_COMMAND "${args}")
execute_process(COMMAND ${SIM} ${args} --digest OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gub-sim ${args} ended with ${rc}")
endif()
string(REGEX REPLACE "throughput:[^\n]*\n" "" out "${out}")
file(READ ${GOLDEN} golden)
if(NOT out STREQUAL golden)
  message(FATAL_ERROR "gub-sim ${args} no longer gives the recorded summary.\n"
                      "Expected:\n${golden}\nGot:\n${out}")
endif()
