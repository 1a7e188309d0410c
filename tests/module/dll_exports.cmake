# The DLL's export table, as objdump -p prints it, holds the nine entry points and nothing else.
#   cmake -DOBJDUMP=... -DDLL=... -P dll_exports.cmake
set(expected CleanupModule CreateSensorInstance DestroySensorInstance ExecuteCheck ExecuteMetaScan
    ExecuteSensorScan GetApiLevel GetModuleInformation InitializeModule)

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "objdump -p ${DLL} failed")
endif()
# The name pointer table: lines "\t[   0] Name" after "[Ordinal/Name Pointer] Table".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start LESS 0)
    message(FATAL_ERROR "no export table in ${DLL}")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(exports "")
foreach(row IN LISTS rows)
    string(REGEX REPLACE "^\n\t\\[ *[0-9]+\\] " "" name "${row}")
    list(APPEND exports "${name}")
endforeach()
list(SORT exports)
if(NOT exports STREQUAL expected)
    message(FATAL_ERROR "exports: ${exports}\nexpected: ${expected}")
endif()
list(LENGTH exports count)
message(STATUS "${count} exports: ${exports}")
