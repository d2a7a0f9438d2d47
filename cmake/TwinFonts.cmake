# The fonts the layouts name (Arial, Courier New, Verdana) in their free metric twins, found by
# family in the fonts of this machine: ONDERIA_FONT_FILES. The program folders carry them, and
# the Windows build puts them beside its programs, where the program registers its folder's fonts.
find_program(ONDERIA_FC_LIST fc-list)
set(ONDERIA_FONT_FILES "")
foreach(family "Liberation Sans" "Liberation Mono" "DejaVu Sans:width=100")
    set(files "")
    if(ONDERIA_FC_LIST)
        execute_process(COMMAND ${ONDERIA_FC_LIST} -f "%{file}\n" ":family=${family}"
            OUTPUT_VARIABLE files OUTPUT_STRIP_TRAILING_WHITESPACE)
        string(REPLACE "\n" ";" files "${files}")
    endif()
    if(NOT files)
        message(WARNING "Font family ${family} not found: the program folder will lack it")
    endif()
    list(APPEND ONDERIA_FONT_FILES ${files})
endforeach()
