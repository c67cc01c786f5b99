# cmake -DSOURCE=DIR -DWORK=DIR -P plain-configure.cmake
# Configures the sources into WORK as "cmake -S SOURCE -B WORK" would, and fails unless the tree
# builds against Qt 5.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
file(REMOVE_RECURSE ${WORK})
if(NOT rc EQUAL 0 OR NOT out MATCHES "Building against Qt 5\\.")
    message(FATAL_ERROR "A plain configure did not take Qt 5:\n${out}${err}")
endif()
