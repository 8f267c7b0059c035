# Installing like a desktop game: program, data, menu entry, icons, manual page, metadata,
# screenshots, and a Debian package made by CPack.

set(QUILLMOOR_ICON_DIR "${CMAKE_BINARY_DIR}/icons")
set(QUILLMOOR_SCREENSHOT_BUILD_DIR "${CMAKE_BINARY_DIR}/screenshots")
# AppStream wants screenshots as web addresses: the package ships them in
# share/quillmoor/screenshots/, and whoever publishes the game puts the same files at this
# address (set it when packaging for a real site).
set(QUILLMOOR_HOMEPAGE "https://quillmoor.example" CACHE STRING "The game's home page")
set(QUILLMOOR_SCREENSHOT_URL "${QUILLMOOR_HOMEPAGE}/screenshots")

add_custom_command(
  OUTPUT ${QUILLMOOR_ICON_DIR}/.stamp
  COMMAND assetgen --icons ${QUILLMOOR_ICON_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QUILLMOOR_ICON_DIR}/.stamp
  DEPENDS assetgen
  COMMENT "Drawing the desktop icons")

# The metadata's screenshots are real frames of the game, taken by its headless runner.
add_custom_command(
  OUTPUT ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/title.png ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/meadow.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLMOOR_SCREENSHOT_BUILD_DIR}
  COMMAND quillmoor --headless --frames 200 --data ${QUILLMOOR_DATA_DIR}
          --input ${CMAKE_SOURCE_DIR}/dist/screenshot-keys.txt
          --shot 20:${QUILLMOOR_SCREENSHOT_BUILD_DIR}/title.png --shot 200:${QUILLMOOR_SCREENSHOT_BUILD_DIR}/meadow.png
  DEPENDS quillmoor game_data ${CMAKE_SOURCE_DIR}/dist/screenshot-keys.txt
  COMMENT "Taking the screenshots")
add_custom_target(desktop_files ALL DEPENDS ${QUILLMOOR_ICON_DIR}/.stamp
  ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/title.png ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/meadow.png)

configure_file(dist/quillmoor.6.in ${CMAKE_BINARY_DIR}/quillmoor.6 @ONLY)
configure_file(dist/quillmoor.metainfo.xml.in ${CMAKE_BINARY_DIR}/io.quillmoor.quillmoor.metainfo.xml @ONLY)

install(TARGETS quillmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${QUILLMOOR_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmoor PATTERN ".stamp" EXCLUDE)
install(DIRECTORY ${QUILLMOOR_SCREENSHOT_BUILD_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmoor/screenshots)
install(FILES dist/quillmoor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${QUILLMOOR_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor PATTERN ".stamp" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/quillmoor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/io.quillmoor.quillmoor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillmoor developers <dev@quillmoor.local>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down adventure of a young rat with a sword and a bow")
set(CPACK_PACKAGE_DESCRIPTION "Nibbs, a young rat, walks the meadows, farms and the Great Tree of the land
around Curdwick, fights moles, pigs and wasps with his sword and bow, frees
the captured townsfolk and beats three bosses. 256 colours, General MIDI
music, keyboard, window or full screen.")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; the sound font and the text font
# are read at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont, fonts-dejavu-core")
include(CPack)
