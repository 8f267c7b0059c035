# The browser build (configured with emcmake): the game compiled to WebAssembly on the browser
# backend, with the generated data packed beside it, then the page (src/app/page) written with
# the build's id. scripts/build-web.sh stages the data, the rendered music (music/*.ogg, fetched
# by the page, not packed) and the page's pictures (art/*.png) and runs this.
set(QUILLMOOR_WEB_DATA "" CACHE PATH "Folder of generated data to pack with the page")
if(NOT IS_DIRECTORY "${QUILLMOOR_WEB_DATA}")
  message(FATAL_ERROR "QUILLMOOR_WEB_DATA must name the staged data folder (scripts/build-web.sh makes it)")
endif()

# The shared platform layer and the browser backend, which stands in for the SDL one.
file(GLOB WEB_PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/*.cpp src/platform/web/*.cpp)

# GAME_SOURCES: the same game files as the desktop's (CMakeLists.txt gathers them).
add_executable(quillmoor_web ${WEB_PLATFORM_SOURCES} ${GAME_SOURCES} src/app/web_main.cpp)
target_include_directories(quillmoor_web PRIVATE src)
# The page's data is packed at /data; the desktop's data lookup is not used there.
target_compile_definitions(quillmoor_web PRIVATE
  QUILLMOOR_VERSION="${PROJECT_VERSION}" QUILLMOOR_BUILD_DIR="/" QUILLMOOR_BUILD_DATA_DIR="/data"
  QUILLMOOR_INSTALL_DATA_DIR="/data" QUILLMOOR_DATA_FROM_PROGRAM="data")
set_target_properties(quillmoor_web PROPERTIES OUTPUT_NAME game SUFFIX ".js"
  LINK_DEPENDS "${QUILLMOOR_WEB_DATA}/.stamp")
# IndexedDB keeps the player's files (web_main.cpp mounts it); the tests reach them through FS.
target_link_options(quillmoor_web PRIVATE
  "SHELL:--preload-file ${QUILLMOOR_WEB_DATA}@/data"
  "SHELL:--exclude-file ${QUILLMOOR_WEB_DATA}/.stamp"
  -lidbfs.js
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  "-sEXPORTED_RUNTIME_METHODS=[ccall,UTF8ToString,FS]")

set(QUILLMOOR_PAGE_DIR ${CMAKE_SOURCE_DIR}/src/app/page)
file(GLOB QUILLMOOR_PAGE_FILES CONFIGURE_DEPENDS ${QUILLMOOR_PAGE_DIR}/*)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/page.stamp
  COMMAND ${CMAKE_COMMAND} -DOUT=${CMAKE_BINARY_DIR} -DPAGE=${QUILLMOOR_PAGE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/web_page.cmake
  DEPENDS quillmoor_web ${QUILLMOOR_PAGE_FILES} ${CMAKE_SOURCE_DIR}/cmake/web_page.cmake
    ${CMAKE_BINARY_DIR}/music/.stamp ${CMAKE_BINARY_DIR}/art/.stamp
  COMMENT "Writing the page with the build's id")
add_custom_target(quillmoor_page ALL DEPENDS ${CMAKE_BINARY_DIR}/page.stamp)
