# The release layout in <build>/dist: TonedeckSetup.exe beside the setup folder's data (the
# configuration, languages, skins, icon, manual) and the background picture the configuration
# names. The control panel and the other programs travel inside the installer.
set(DIST_DIR ${CMAKE_BINARY_DIR}/dist)
find_program(TONEDECK_CONVERT convert REQUIRED)

# The installer's background: a dark gradient with a soft light and a row of level bars.
set(background ${CMAKE_BINARY_DIR}/setup-art/Background.bmp)
set(bar_heights 38 62 95 130 150 138 112 84 70 88 118 146 160 142 108 76 58 72 100 124 96 60)
set(bar_draws "")
set(x 46)
foreach(height ${bar_heights})
    math(EXPR top "436 - ${height}")
    math(EXPR right "${x} + 15")
    list(APPEND bar_draws -draw "rectangle ${x},${top} ${right},436")
    math(EXPR x "${x} + 25")
endforeach()
add_custom_command(OUTPUT ${background}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/setup-art
    COMMAND ${TONEDECK_CONVERT} -size 640x480 "gradient:#26364c-#0a0e14"
            -fill "rgba(120,205,235,0.07)" -draw "circle 480,140 480,420"
            -fill "rgba(120,205,235,0.07)" -draw "circle 480,140 480,330"
            -fill "rgba(120,205,235,0.30)" ${bar_draws}
            -fill "rgba(255,255,255,0.22)" -draw "rectangle 40,442 600,443"
            -type TrueColor BMP3:${background}
    COMMENT "Background.bmp for the installer"
    VERBATIM)

add_custom_target(dist ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${background} ${DIST_DIR}/Background.bmp
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:TonedeckSetup> ${DIST_DIR}/
    DEPENDS TonedeckSetup ${background}
    COMMENT "Release layout in ${DIST_DIR}")
