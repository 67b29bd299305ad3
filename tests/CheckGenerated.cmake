# Makes a shipped file again from its source into a scratch folder and compares the two, so the
# file in the repository never drifts from the tool that makes it.
# -DCOMMAND=<tool and arguments, writing into OUT_DIR> -DOUT_DIR=... -DMADE=<file it makes>
# -DASSET=<shipped file> -DREMAKE=<the command line to give when they differ>
file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${COMMAND} failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${MADE} ${ASSET} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${ASSET} is out of date; make it again with: ${REMAKE}")
endif()
file(REMOVE_RECURSE ${OUT_DIR})
