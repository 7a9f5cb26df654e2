# Assembles the run directory: hand-written content, generated art and sound,
# the font with its licence, and the empty folders the game writes into.
file(GLOB_RECURSE CONTENT_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/*)
file(GLOB ASSET_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.py)
set(FONT_SOURCE /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
set(FONT_LICENCE /usr/share/doc/fonts-dejavu-core/copyright)
set(ASSETS_STAMP ${CMAKE_BINARY_DIR}/assets.stamp)

add_custom_command(
  OUTPUT ${ASSETS_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GAME_DIR}/sounds ${GAME_DIR}/saves
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/genAssets.py ${GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ASSETS_STAMP}
  DEPENDS ${ASSET_SCRIPTS}
  COMMENT "Generating images and sounds")

add_custom_target(run_directory ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GAME_DIR}/sounds ${GAME_DIR}/saves
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/content ${GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${FONT_SOURCE} ${GAME_DIR}/subatomic.brelvosk.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${FONT_LICENCE} ${GAME_DIR}/subatomic.brelvosk.LICENCE.txt
  DEPENDS ${ASSETS_STAMP} ${CONTENT_FILES}
  COMMENT "Assembling the run directory")
add_dependencies(tuvaro run_directory)
