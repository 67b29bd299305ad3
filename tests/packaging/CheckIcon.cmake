# Draws the icon into a scratch folder and compares its SVG with the one in assets/, so the
# shipped icon never drifts from the tool that draws it.
file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(COMMAND ${ICON} ${OUT_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "icon failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT_DIR}/icon.svg ${ASSET}/icon.svg
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${ASSET} is out of date; redraw it with: "
                        "QT_QPA_PLATFORM=offscreen build/tools/icon/icon assets/icon")
endif()
file(REMOVE_RECURSE ${OUT_DIR})
