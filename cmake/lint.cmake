# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every C++ file is as clang-format lays it out. The layout
# differs between clang-format versions, so the check runs with the pinned
# one, Debian 12's clang-format 14, and fails where that one is missing:
# a check that skips passes faults as well as it passes layout.
set(pinned 14)
find_program(clang_format NAMES clang-format-${pinned} clang-format NO_CACHE)
set(version "")
if(clang_format)
    execute_process(COMMAND ${clang_format} --version OUTPUT_VARIABLE version
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT version MATCHES "version ${pinned}\\.")
    if(NOT clang_format)
        set(found "none")
    else()
        set(found "${clang_format}: ${version}")
    endif()
    message(FATAL_ERROR "The format check needs clang-format ${pinned} (found: ${found}). "
                        "Install the package clang-format-${pinned} "
                        "(bash scripts/setup.sh --tests installs it).")
endif()
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
     ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${clang_format} --dry-run --Werror ${files} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Run clang-format-${pinned} -i on the files named above.")
endif()
