# cmake -DOBJDUMP=<objdump> -DLIBRARY=<SimConnect.dll> -P CheckExports.cmake
# Fails unless the library exports exactly the simulator's eight entry points.
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${LIBRARY}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" names "${table}")
list(TRANSFORM names REPLACE "^\\[ *[0-9]+\\] " "")
set(expected
  SimConnect_AddToDataDefinition SimConnect_CallDispatch SimConnect_Close
  SimConnect_MapClientEventToSimEvent SimConnect_Open SimConnect_RequestDataOnSimObjectType
  SimConnect_SubscribeToSystemEvent SimConnect_TransmitClientEvent)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports of ${LIBRARY}:\n  ${names}\nexpected:\n  ${expected}")
endif()
message(STATUS "${LIBRARY} exports the eight entry points by their bare names")
