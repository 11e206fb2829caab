# Fails unless the shared library's dynamic symbol table defines exactly the
# two entry points. Run with -DNM=... -DLIBRARY=...
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${out}")
set(names)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* ([^ ]+)$" "\\1" name "${line}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
if(NOT names STREQUAL "GetCs4FigVB;GetCut4FigVB")
  message(FATAL_ERROR "exports are '${names}', expected exactly GetCs4FigVB and GetCut4FigVB")
endif()
message(STATUS "exports: ${names}")
