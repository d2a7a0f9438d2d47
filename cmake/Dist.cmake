# The portable program folder: `cmake --install <build> --prefix <folder>` lays out everything
# the program needs to start on a machine without Qt, and scripts/dist.sh packs it. Layout:
#
#   onderia, qt.conf          the program; qt.conf points Qt at the folder's own plugins and
#                             translations
#   unins000.dll, Guida.pdf   the prepared password store and the user guide, beside the program
#                             as every data file of the program folder
#   lib/                      the Qt libraries and what they need, found by the dependency scan
#   plugins/<type>/           the Qt plugins the program loads at run time
#   translations/, fonts/     Qt's Italian texts and the fonts the printed pages are laid out in
#   licenses/                 the licences of the libraries and fonts shipped
#
# Data files are never installed: the program creates them in its folder on first use.
#
# On Linux the program finds lib/ through its RPATH ($ORIGIN/lib, as DT_RPATH so it also covers
# the libraries' own dependencies and the plugins loaded later), so no start script and no
# LD_LIBRARY_PATH is needed: the environment of the programs the shell opens stays untouched.

# Windows calls the processor AMD64; the archives name it as Linux does.
string(REPLACE "AMD64" "x86_64" processor "${CMAKE_SYSTEM_PROCESSOR}")
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${processor}" platform)
set(ONDERIA_DIST_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-${platform}")
# scripts/dist.sh names the archive after this.
file(WRITE "${CMAKE_BINARY_DIR}/dist-name.txt" "${ONDERIA_DIST_NAME}\n")

# What an install needs built: `cmake --build <build> --target onderia_dist_parts`.
add_custom_target(onderia_dist_parts DEPENDS onderia)
if(TARGET guide_pdf)
    add_dependencies(onderia_dist_parts guide_pdf)
endif()

if(NOT WIN32)
    # Built with it too: the build tree has no lib/, so there it falls through to the system's
    # Qt, and the binary carries no padded placeholder path that would search the working folder.
    set_target_properties(onderia PROPERTIES INSTALL_RPATH "$ORIGIN/lib"
        BUILD_WITH_INSTALL_RPATH ON)
    target_link_options(onderia PRIVATE "LINKER:--disable-new-dtags")
endif()
install(TARGETS onderia RUNTIME DESTINATION .)
if(WIN32)
    # The DLLs sit beside the program, where Windows looks first: no lib/.
    install(FILES "${CMAKE_SOURCE_DIR}/cmake/windows/qt.conf" DESTINATION .)
else()
    install(FILES "${CMAKE_SOURCE_DIR}/cmake/qt.conf" DESTINATION .)
endif()
install(FILES "${CMAKE_SOURCE_DIR}/resources/unins000.dll" DESTINATION .)
if(TARGET guide_pdf)
    install(FILES "${CMAKE_BINARY_DIR}/Guida.pdf" DESTINATION .)
endif()

# Qt's Italian translations: qt_it is the catalogue that pulls in qtbase_it. A Qt built for
# Windows here carries none: they are the same files as the host's (qt6-translations-l10n).
if(CMAKE_CROSSCOMPILING)
    set(translations_dir "${QT_HOST_PATH}/share/qt6/translations")
else()
    set(translations_dir "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}")
endif()
foreach(qm qt_it.qm qtbase_it.qm)
    set(src "${translations_dir}/${qm}")
    if(EXISTS "${src}")
        install(FILES "${src}" DESTINATION translations)
    else()
        message(WARNING "Qt translation ${src} is missing: the program folder will lack it")
    endif()
endforeach()

# Plugins, named by Qt's own targets. Platforms: xcb for the desktop, offscreen for headless
# runs; print support through CUPS; SVG for the artwork and icons; compose for dead keys.
# No xcb GL integration: every screen is drawn in software.
# On Windows: the windows and offscreen platforms, ICO and SVG images, the SVG icon engine and the
# Windows Vista style (Qt 6 prints on Windows without a plugin).
set(ONDERIA_DIST_MODULES "")
if(WIN32)
    set(ONDERIA_DIST_PLUGINS
        QWindowsIntegrationPlugin QOffscreenIntegrationPlugin QSvgPlugin QICOPlugin QSvgIconPlugin
        QWindowsVistaStylePlugin)
else()
    set(ONDERIA_DIST_PLUGINS
        QXcbIntegrationPlugin QOffscreenIntegrationPlugin QCupsPrinterSupportPlugin QSvgPlugin
        QSvgIconPlugin QComposePlatformInputContextPlugin)
endif()
foreach(plugin ${ONDERIA_DIST_PLUGINS})
    # Qt's module packages load their plugins' packages only where the distribution kept the
    # list that does it, so each one is asked for by name.
    if(NOT TARGET Qt6::${plugin})
        find_package(Qt6${plugin} CONFIG QUIET
            PATHS ${Qt6Gui_DIR} ${Qt6PrintSupport_DIR} ${Qt6Svg_DIR} NO_DEFAULT_PATH)
    endif()
    if(NOT TARGET Qt6::${plugin})
        message(WARNING "Qt plugin ${plugin} not found: the program folder will lack it")
        continue()
    endif()
    get_target_property(type Qt6::${plugin} QT_PLUGIN_TYPE)
    install(FILES "$<TARGET_FILE:Qt6::${plugin}>" DESTINATION "plugins/${type}")
    list(APPEND ONDERIA_DIST_MODULES "$<TARGET_FILE:Qt6::${plugin}>")
endforeach()

# The fonts the layouts name (Arial, Courier New, Verdana) in their free metric twins
# (cmake/TwinFonts.cmake), with their licences. Windows has the originals, but the
# folder carries the twins there too: Wine has none, and the program falls back on them wherever
# the originals are missing.
if(ONDERIA_FONT_FILES)
    install(FILES ${ONDERIA_FONT_FILES} DESTINATION fonts)
endif()
foreach(licence liberation2 dejavu-core)
    if(EXISTS "/usr/share/doc/fonts-${licence}/copyright")
        install(FILES "/usr/share/doc/fonts-${licence}/copyright" DESTINATION licenses
            RENAME "fonts-${licence}.txt")
    endif()
endforeach()

# On Windows the Qt DLLs the program and its plugins link and the MinGW runtime, beside the
# program; the Windows packaging test checks every import of every DLL shipped against the folder
# and the system's own DLLs.
if(WIN32)
    foreach(module Core Gui Widgets PrintSupport Svg SvgWidgets)
        install(FILES "$<TARGET_FILE:Qt6::${module}>" DESTINATION .)
    endforeach()
    install(FILES ${ONDERIA_MINGW_DLLS} DESTINATION .)
    # Debian ships the MinGW runtime with its symbols: 24 MB of the C++ library alone.
    foreach(dll ${ONDERIA_MINGW_DLLS})
        get_filename_component(name "${dll}" NAME)
        install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
            \"\${CMAKE_INSTALL_PREFIX}/${name}\")")
    endforeach()
    install(FILES "/usr/share/common-licenses/LGPL-3" DESTINATION licenses RENAME "LGPL-3.txt")
    install(FILES "/usr/share/common-licenses/GPL-3" DESTINATION licenses RENAME "GPL-3.txt")
    foreach(doc libqt6core6 libqt6svg6 gcc-mingw-w64-base mingw-w64-common)
        if(EXISTS "/usr/share/doc/${doc}/copyright")
            install(FILES "/usr/share/doc/${doc}/copyright" DESTINATION licenses
                RENAME "${doc}.txt")
        endif()
    endforeach()
endif()

# The libraries: the dependency scan of the program and the plugins (cmake/DistRuntime.cmake)
# copies what they need into lib/, apart from the base system every desktop has.
if(NOT WIN32)
    install(CODE "set(ONDERIA_DIST_EXE \"$<TARGET_FILE:onderia>\")
set(ONDERIA_DIST_MODULES \"${ONDERIA_DIST_MODULES}\")")
    install(SCRIPT "${CMAKE_SOURCE_DIR}/cmake/DistRuntime.cmake")
endif()

# Windows: the zip unpacked into a folder of the Wine prefix and started there under Xvfb.
if(WIN32 AND ONDERIA_WINE)
    add_test(NAME dist_windows_folder
        COMMAND bash "${CMAKE_SOURCE_DIR}/tests/dist/windows_folder.sh"
                "${CMAKE_BINARY_DIR}" "${CMAKE_SOURCE_DIR}" "${ONDERIA_WINE}")
    set_tests_properties(dist_windows_folder PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300
        RUN_SERIAL TRUE)
endif()

# The test unpacks the archive elsewhere and runs it with the system's Qt hidden. The sanitizer
# runtime cannot be preloaded into that run, so the sanitizer build keeps the test disabled.
if(NOT WIN32)
    add_test(NAME dist_portable_folder
        COMMAND bash "${CMAKE_SOURCE_DIR}/tests/dist/portable_folder.sh"
                "${CMAKE_BINARY_DIR}" "${CMAKE_SOURCE_DIR}")
    set_tests_properties(dist_portable_folder PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
    if(ONDERIA_SANITIZE)
        set_tests_properties(dist_portable_folder PROPERTIES DISABLED TRUE)
    endif()
    # What that test lets the program take from outside the folder, on a desktop's loader logs.
    add_test(NAME dist_loader_checks
        COMMAND bash "${CMAKE_SOURCE_DIR}/tests/dist/loader_checks_test.sh")
endif()
