# Runs velmora-cli once and checks its exit code, standard output and
# standard error:
#   cmake -DCLI=path [-DEMULATOR=a|b|c] [-DARGS=a|b] -DCODE=n [-DOUT=regex]
#         [-DERR=regex] -P run_cli.cmake
# Lists come with '|' for ';'. The regular expressions must match the whole
# captured text as the caller anchors them.
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" args "${ARGS}")
execute_process(
  COMMAND ${emulator} ${CLI} ${args}
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 120)

set(failures "")
if(NOT "${code}" STREQUAL "${CODE}")
  string(APPEND failures "exit code ${code}, expected ${CODE}\n")
endif()
if(DEFINED OUT AND NOT out MATCHES "${OUT}")
  string(APPEND failures "standard output does not match ${OUT}\n")
endif()
if(DEFINED ERR AND NOT err MATCHES "${ERR}")
  string(APPEND failures "standard error does not match ${ERR}\n")
endif()
if(failures)
  string(LENGTH "${out}" out_length)
  if(out_length GREATER 2000)
    string(SUBSTRING "${out}" 0 2000 out)
    string(APPEND out "...")
  endif()
  message(FATAL_ERROR "velmora-cli ${args}:\n${failures}--- stdout:\n${out}\n--- stderr:\n${err}")
endif()
