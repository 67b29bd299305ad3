# Installs the build into a scratch DESTDIR under a prefix other than the configured one (a
# relocated install), then starts the installed game from an empty working folder: it must find
# and load its pictures and book, start without them in that folder, and leave the folder empty.
include(${CMAKE_CURRENT_LIST_DIR}/InstalledFiles.cmake)
set(root ${STAGE}/root)
set(prefix /opt/brisko)
set(installed ${root}${prefix})
set(work ${STAGE}/work)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${work} ${STAGE}/home)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result})")
endif()
# As the program sees its own folder: with every link resolved.
file(REAL_PATH ${installed} installed)
foreach(file IN LISTS installed_files)
    if(NOT EXISTS ${installed}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# Runs the installed game in the empty working folder with a home of its own.
set(game ${CMAKE_COMMAND} -E env HOME=${STAGE}/home ${installed}/bin/brisko-chess)
set(no_display ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
               --unset=WAYLAND_DISPLAY)
function(run expected_result seconds)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${work} RESULT_VARIABLE result
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT ${seconds})
    if(NOT result STREQUAL expected_result)
        message(FATAL_ERROR "${ARGN}: ${result}, not ${expected_result}\n${output}${errors}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

function(expect text)
    string(FIND "${output}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing from the output: ${text}\n${output}")
    endif()
endfunction()

# No window, so no display needed.
run(0 20 ${no_display} ${game} --help)
expect("--self-check")
run(0 20 ${no_display} ${game} --version)
expect("Opening book: ${installed}/share/brisko-chess/Openings.grd")
run(0 20 ${no_display} ${game} --self-check)
expect("Piece pictures: ${installed}/share/brisko-chess/Images/: 12 of 12 loaded")
if(NOT output MATCHES "Openings.grd: [1-9][0-9]* positions")
    message(FATAL_ERROR "the book was not loaded:\n${output}")
endif()
run(2 20 ${game} --no-such-option)
# A real start, offscreen: still running when stopped after a few seconds.
run("Process terminated due to timeout" 4 ${game})

file(GLOB left LIST_DIRECTORIES true ${work}/* ${work}/.*)
if(left)
    message(FATAL_ERROR "the game wrote into its working folder: ${left}")
endif()
# A book in the working folder comes first; the pictures still come from the install.
file(COPY ${installed}/share/brisko-chess/Openings.grd DESTINATION ${work})
file(REAL_PATH ${work} work_seen)
run(0 20 ${game} --version)
expect("Opening book: ${work_seen}/Openings.grd")
expect("Piece pictures: ${installed}/share/brisko-chess/Images/")

# The saved-game type reaches the desktop's file-type database.
if(UPDATE_MIME)
    run(0 60 ${UPDATE_MIME} ${installed}/share/mime)
    file(STRINGS ${installed}/share/mime/globs2 globs REGEX "application/x-brisko-chess-game:")
    if(NOT globs MATCHES ":\\*\\.bch")
        message(FATAL_ERROR "no *.bch in the MIME database: ${globs}")
    endif()
endif()
file(REMOVE_RECURSE ${STAGE})
