# SPDX-License-Identifier: GPL-3.0-or-later
# Extracts every text the operator reads (each tr() and translate() in src/)
# into translations/vantrell_en.ts. With CHECK set, extracts into a copy and
# fails when the committed file is not what the sources say.
if(NOT LUPDATE)
    message(FATAL_ERROR "no lupdate: scripts/setup.sh --tests installs qt6-l10n-tools")
endif()
set(committed ${SOURCE_DIR}/translations/vantrell_en.ts)
set(target ${committed})
if(CHECK)
    set(target ${CHECK}/vantrell_en.ts)
    if(EXISTS ${committed})
        file(COPY_FILE ${committed} ${target})
    else()
        file(REMOVE ${target})
    endif()
endif()
execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete -source-language en
                        -target-language en ${SOURCE_DIR}/src -ts ${target}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed")
endif()
if(CHECK)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${committed} ${target}
                    RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "translations/vantrell_en.ts is out of date: "
                            "cmake --build build --target vantrell_lupdate")
    endif()
endif()
