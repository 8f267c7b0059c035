# Finishes the browser build (cmake -DOUT=BUILD_DIR -DPAGE=PAGE_SOURCES -P web_page.cmake, after the
# game is linked): the build's id, a hash of every file the page serves, is written into the page,
# its scripts, the manifest and the offline worker, which lists those files; then each file that
# compresses gets a gzip copy beside it for servers that send it (scripts/serve-web.mjs does).
cmake_minimum_required(VERSION 3.20)
foreach(required OUT PAGE)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "web_page.cmake needs -D${required}=...")
  endif()
endforeach()

set(page_files quillmoor.html page.css page.js touch.js sw.js manifest.webmanifest)
file(GLOB art RELATIVE ${OUT} ${OUT}/art/*.png)
file(GLOB music RELATIVE ${OUT} ${OUT}/music/*.ogg)
list(SORT art)
list(SORT music)
set(served game.js game.wasm game.data ${art} ${music})

# The id: the page's sources and every served file, each by name and content.
set(all_hashes "")
foreach(name ${page_files})
  file(SHA256 ${PAGE}/${name} hash)
  string(APPEND all_hashes "${name} ${hash}\n")
endforeach()
foreach(name ${served})
  if(NOT EXISTS ${OUT}/${name})
    message(FATAL_ERROR "${OUT}/${name} is missing: build the game and stage its music and art first")
  endif()
  file(SHA256 ${OUT}/${name} hash)
  string(APPEND all_hashes "${name} ${hash}\n")
endforeach()
string(SHA256 QUILLMOOR_BUILD "${all_hashes}")
string(SUBSTRING ${QUILLMOOR_BUILD} 0 16 QUILLMOOR_BUILD)

# What the offline copy keeps: the page by its plain name (it is fetched by whatever query it
# was opened with), every other file by the name the page asks for, with the build's id.
set(QUILLMOOR_FILES "'quillmoor.html'")
foreach(name page.css page.js touch.js manifest.webmanifest ${served})
  string(APPEND QUILLMOOR_FILES ", '${name}?v=${QUILLMOOR_BUILD}'")
endforeach()

foreach(name ${page_files})
  configure_file(${PAGE}/${name} ${OUT}/${name} @ONLY)
endforeach()

foreach(name ${page_files} game.js game.wasm game.data)
  execute_process(COMMAND gzip -9 -n -c ${OUT}/${name} OUTPUT_FILE ${OUT}/${name}.gz RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${OUT}/${name} failed")
  endif()
endforeach()
file(WRITE ${OUT}/page.stamp "${QUILLMOOR_BUILD}\n")
message(STATUS "The page's build id: ${QUILLMOOR_BUILD}")
