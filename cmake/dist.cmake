# The release layout: the programs beside the setup folder's data, in <build>/dist.
set(DIST_DIR ${CMAKE_BINARY_DIR}/dist)
add_custom_target(dist ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tonedeck> ${DIST_DIR}/
    DEPENDS Tonedeck
    COMMENT "Release layout in ${DIST_DIR}")
