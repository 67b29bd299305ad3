# Rebuilds the opening book from its list into a scratch folder and compares it with the
# book in assets/, so the shipped file never drifts from its source.
file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(COMMAND ${BOOKGEN} ${LIST} ${OUT_DIR}/Openings.grd RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "bookgen failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT_DIR}/Openings.grd ${ASSET}
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${ASSET} is out of date; rebuild it with: "
                        "bookgen tools/bookgen/openings.txt assets/Openings.grd")
endif()
file(REMOVE_RECURSE ${OUT_DIR})
