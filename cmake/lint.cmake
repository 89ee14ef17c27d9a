# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every C++ file is as clang-format lays it out. The layout
# differs between clang-format versions, so only the version the project
# formats with decides; another version skips the check.
execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE version)
if(NOT version MATCHES "version 14\\.")
    message("Skipped: no clang-format 14 (found: ${CLANG_FORMAT} ${version})")
    return()
endif()
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
     ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Run clang-format -i on the files named above.")
endif()
