# Installing like a desktop game: program, data, menu entry, icons, manual page and metadata.
# The Debian package (debian/rules) installs the same with the program in games/ and its
# data in share/games/quillmoor.

set(QUILLMOOR_ICON_DIR "${CMAKE_BINARY_DIR}/icons")
set(QUILLMOOR_SCREENSHOT_BUILD_DIR "${CMAKE_BINARY_DIR}/screenshots")

add_custom_command(
  OUTPUT ${QUILLMOOR_ICON_DIR}/.stamp
  COMMAND assetgen --icons ${QUILLMOOR_ICON_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QUILLMOOR_ICON_DIR}/.stamp
  DEPENDS assetgen
  COMMENT "Drawing the desktop icons")
add_custom_target(desktop_files ALL DEPENDS ${QUILLMOOR_ICON_DIR}/.stamp)

# Real frames of the game, taken by its headless runner, for the home page to publish
# (`cmake --build build --target screenshots`); no install needs them.
add_custom_command(
  OUTPUT ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/title.png ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/meadow.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLMOOR_SCREENSHOT_BUILD_DIR}
  COMMAND quillmoor --headless --frames 200 --data ${QUILLMOOR_DATA_DIR}
          --input ${CMAKE_SOURCE_DIR}/dist/screenshot-keys.txt
          --shot 20:${QUILLMOOR_SCREENSHOT_BUILD_DIR}/title.png --shot 200:${QUILLMOOR_SCREENSHOT_BUILD_DIR}/meadow.png
  DEPENDS quillmoor game_data ${CMAKE_SOURCE_DIR}/dist/screenshot-keys.txt
  COMMENT "Taking the screenshots")
add_custom_target(screenshots DEPENDS
  ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/title.png ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/meadow.png)

# AppStream takes a home page and screenshots only as web addresses: with a home page set,
# the metadata names it and the screenshots published under it; with none, it names neither
# rather than an address where nothing is.
set(QUILLMOOR_METAINFO_LINKS "")
if(QUILLMOOR_HOMEPAGE)
  set(QUILLMOOR_SCREENSHOT_URL "${QUILLMOOR_HOMEPAGE}/screenshots")
  configure_file(dist/quillmoor.links.xml.in ${CMAKE_BINARY_DIR}/quillmoor.links.xml @ONLY)
  file(READ ${CMAKE_BINARY_DIR}/quillmoor.links.xml QUILLMOOR_METAINFO_LINKS)
endif()

configure_file(dist/quillmoor.6.in ${CMAKE_BINARY_DIR}/quillmoor.6 @ONLY)
configure_file(dist/quillmoor.metainfo.xml.in ${CMAKE_BINARY_DIR}/io.quillmoor.quillmoor.metainfo.xml @ONLY)

install(TARGETS quillmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${QUILLMOOR_DATA_DIR}/ DESTINATION ${QUILLMOOR_INSTALL_DATADIR} PATTERN ".stamp" EXCLUDE)
install(FILES dist/quillmoor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${QUILLMOOR_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor PATTERN ".stamp" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/quillmoor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/io.quillmoor.quillmoor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
