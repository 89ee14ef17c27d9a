# SPDX-License-Identifier: GPL-3.0-or-later
# Fails the build when a core file includes an X11 header: those sit on
# every include path, so only this check keeps them out. Widget and ui
# headers are not on a core library's include path at all.
string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](X11/|ui_)")
    if(lines)
        list(APPEND found "${file}: ${lines}")
    endif()
endforeach()
if(found)
    list(JOIN found "\n" found)
    message(FATAL_ERROR "Core files may not include X11 or ui headers:\n${found}")
endif()
file(TOUCH ${STAMP})
