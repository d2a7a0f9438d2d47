# The Windows build, cross-compiled with MinGW-w64 (cmake/mingw-w64-x86_64.cmake) and run under
# Wine: the program's resources (icon, version), the fonts and Wine prefix the tools and tests
# run with, and every test started through Wine (CMake's cross-compiling emulator).

enable_language(RC)

# The icon Explorer shows, drawn from the program's SVG icon at the sizes Windows asks for.
find_program(ONDERIA_RSVG rsvg-convert REQUIRED)
find_program(ONDERIA_CONVERT convert REQUIRED)
set(ONDERIA_ICO "${CMAKE_BINARY_DIR}/onderia.ico")
set(icon_svg "${CMAKE_SOURCE_DIR}/resources/art/onderia_icon.svg")
set(icon_pngs "")
set(icon_steps "")
foreach(size 16 24 32 48 64 256)
    list(APPEND icon_pngs "${CMAKE_BINARY_DIR}/icon/${size}.png")
    list(APPEND icon_steps COMMAND ${ONDERIA_RSVG} -w ${size} -h ${size} -o
         "${CMAKE_BINARY_DIR}/icon/${size}.png" "${icon_svg}")
endforeach()
add_custom_command(OUTPUT "${ONDERIA_ICO}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/icon"
    ${icon_steps}
    COMMAND ${ONDERIA_CONVERT} ${icon_pngs} "${ONDERIA_ICO}"
    DEPENDS "${icon_svg}" VERBATIM)
configure_file("${CMAKE_SOURCE_DIR}/cmake/windows/onderia.rc.in"
    "${CMAKE_BINARY_DIR}/onderia.rc" @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/onderia.rc" PROPERTIES
    OBJECT_DEPENDS "${ONDERIA_ICO}")
target_sources(onderia PRIVATE "${CMAKE_BINARY_DIR}/onderia.rc")
# A desktop program: no console window beside it.
set_target_properties(onderia PROPERTIES WIN32_EXECUTABLE ON)

# The metric twins of Arial, Courier New and Verdana beside the programs of the build, where the
# program registers its folder's fonts, as the program folder carries them.
file(COPY ${ONDERIA_FONT_FILES} DESTINATION "${CMAKE_BINARY_DIR}/fonts")

# Qt's Italian texts beside the programs of the build, where the program looks first (the Qt
# for Windows carries none of its own), so tests see the buttons as the desk does.
file(GLOB ONDERIA_QT_QM /usr/share/qt6/translations/qt_it.qm /usr/share/qt6/translations/qtbase_it.qm)
if(ONDERIA_QT_QM)
    file(COPY ${ONDERIA_QT_QM} DESTINATION "${CMAKE_BINARY_DIR}/translations")
else()
    message(WARNING "Qt's Italian translations not found (qt6-translations-l10n)")
endif()

# Wine: a prefix of the build's own, made once, with Wine's own fonts where Windows programs
# look for them (Debian's Wine does not find them otherwise).
set(ONDERIA_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(ONDERIA_WINE "${CMAKE_CROSSCOMPILING_EMULATOR}")
get_filename_component(wine_dir "${ONDERIA_WINE}" DIRECTORY)
add_custom_command(OUTPUT "${ONDERIA_WINEPREFIX}/.ready"
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${ONDERIA_WINEPREFIX} WINEDEBUG=-all
            WINEDLLOVERRIDES=mscoree,mshtml= ${ONDERIA_WINE} wineboot -i
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${ONDERIA_WINEPREFIX} ${wine_dir}/wineserver -w
    COMMAND sh -c "cp /usr/share/wine/fonts/*.ttf '${ONDERIA_WINEPREFIX}/drive_c/windows/Fonts/'"
    COMMAND ${CMAKE_COMMAND} -E touch "${ONDERIA_WINEPREFIX}/.ready"
    VERBATIM)
add_custom_target(wineprefix ALL DEPENDS "${ONDERIA_WINEPREFIX}/.ready")

# What a program of the build needs under Wine: the folders of the Qt and MinGW DLLs (Wine's
# own ';' kept inside the one variable), the offscreen platform and its fonts. Wine passes no
# QT_* variable to a Windows program, but strips WINE from WINEQT_* ones.
get_filename_component(qt_bin "${Qt6Core_DIR}/../../../bin" ABSOLUTE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE stdcxx_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(gcc_bin "${stdcxx_dll}" DIRECTORY)
set(mingw_bin "/usr/x86_64-w64-mingw32/lib")
set(ONDERIA_QT_BIN "${qt_bin}")
set(ONDERIA_MINGW_DLLS "${gcc_bin}/libstdc++-6.dll" "${gcc_bin}/libgcc_s_seh-1.dll"
    "${mingw_bin}/libwinpthread-1.dll")
set(wine_env_common
    "WINEPREFIX=${ONDERIA_WINEPREFIX}" "WINEDEBUG=-all"
    "WINEQT_QPA_PLATFORM=offscreen" "WINEQT_QPA_FONTDIR=Z:${CMAKE_BINARY_DIR}/fonts"
    "WINEQT_FORCE_STDERR_LOGGING=1")
# As a command's arguments; a test's ENVIRONMENT gets WINEPATH written out below, where an
# escaped ';' stays inside one entry.
set(ONDERIA_WINE_ENV ${wine_env_common}
    "WINEPATH=Z:${qt_bin}$<SEMICOLON>Z:${gcc_bin}$<SEMICOLON>Z:${mingw_bin}")

# The user guide, written by the Windows tool under Wine.
if(TARGET onderia_guide)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/Guida.pdf
        COMMAND ${CMAKE_COMMAND} -E env ${ONDERIA_WINE_ENV}
                ${ONDERIA_WINE} $<TARGET_FILE:onderia_guide> ${CMAKE_BINARY_DIR}/Guida.pdf
        DEPENDS onderia_guide "${ONDERIA_WINEPREFIX}/.ready" VERBATIM)
    add_custom_target(guide_pdf ALL DEPENDS ${CMAKE_BINARY_DIR}/Guida.pdf)
endif()

# Every test runs under Wine on the offscreen platform (tests that are scripts run Wine
# themselves with the same variables).
get_property(onderia_tests DIRECTORY PROPERTY TESTS)
foreach(t ${onderia_tests})
    set_property(TEST ${t} APPEND PROPERTY ENVIRONMENT ${wine_env_common}
        "WINEPATH=Z:${qt_bin}\\;Z:${gcc_bin}\\;Z:${mingw_bin}")
endforeach()
# A Wine process starts in about half a second: 50 kills keep the kill test within minutes.
if(TEST tst_killtest)
    set_property(TEST tst_killtest APPEND PROPERTY ENVIRONMENT "ONDERIA_KILLS=50")
endif()
