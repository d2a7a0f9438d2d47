# Install time (run by cmake/Dist.cmake): copies into <prefix>/lib every shared library that the
# program and the plugins it ships need, as the dynamic linker would find them on this machine,
# except the base system that every Linux desktop carries. ONDERIA_DIST_EXE is the program,
# ONDERIA_DIST_MODULES the plugin files, both as built or as Qt installed them.
#
# Each library lands as one regular file under its soname (no symlink chains), so the folder
# survives a copy to a USB stick formatted with a file system that has no symbolic links.

# The base system every desktop has stays out (one regular expression a line).
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/dist-base-system.txt" base_system REGEX "^[^#]")

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${ONDERIA_DIST_EXE}
    MODULES ${ONDERIA_DIST_MODULES}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    CONFLICTING_DEPENDENCIES_PREFIX conflicting
    PRE_EXCLUDE_REGEXES ${base_system})

if(unresolved)
    message(FATAL_ERROR "Libraries not found for the program folder: ${unresolved}")
endif()
if(conflicting_FILENAMES)
    message(FATAL_ERROR "Libraries found twice for the program folder: ${conflicting_FILENAMES}")
endif()

list(SORT resolved)
foreach(library ${resolved})
    get_filename_component(soname "${library}" NAME)
    file(REAL_PATH "${library}" file)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/lib" TYPE FILE RENAME "${soname}"
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        FILES "${file}")
endforeach()

# The licences of what the folder ships, where the build machine's package manager can tell
# which package each file came from (Debian and its kin keep them as /usr/share/doc/*/copyright).
find_program(dpkg_query dpkg-query)
if(dpkg_query)
    set(shipped "")
    foreach(file ${resolved} ${ONDERIA_DIST_MODULES})
        file(REAL_PATH "${file}" real)
        list(APPEND shipped "${real}")
    endforeach()
    execute_process(COMMAND ${dpkg_query} -S ${shipped}
        OUTPUT_VARIABLE owners ERROR_QUIET RESULT_VARIABLE ignored)
    string(REGEX MATCHALL "(^|\n)[^:\n]+" packages "${owners}")
    string(REPLACE "\n" "" packages "${packages}")
    list(REMOVE_DUPLICATES packages)
    foreach(package ${packages})
        if(EXISTS "/usr/share/doc/${package}/copyright")
            file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/licenses" TYPE FILE
                RENAME "${package}.txt" FILES "/usr/share/doc/${package}/copyright")
        endif()
    endforeach()
endif()
