# The browser build's site: site/index.html (our own page around the program), index.js,
# index.wasm, and index.data with the six data files and the validation's reference pictures,
# preloaded into the in-memory file system's root, which is the program's working directory.
set(FACEDEMO_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(WEB_SHELL ${PROJECT_SOURCE_DIR}/platform/web/shell.html)
set(WEB_DATA_FILES smile.sos rage.sos closed.sos rocks.bmp sunsetclouds.bmp Lightmap.bmp)

set(WEB_PRELOAD)
foreach(name ${WEB_DATA_FILES})
  list(APPEND WEB_PRELOAD "SHELL:--preload-file ${FACEDEMO_DATA_DIR}/${name}@/${name}")
endforeach()
list(APPEND WEB_PRELOAD "SHELL:--preload-file ${FACEDEMO_DATA_DIR}/reference@/reference")

set_target_properties(facedemo PROPERTIES
  OUTPUT_NAME index
  SUFFIX .html
  RUNTIME_OUTPUT_DIRECTORY ${FACEDEMO_SITE_DIR})
target_link_options(facedemo PRIVATE
  ${WEB_PRELOAD}
  "SHELL:--shell-file ${WEB_SHELL}"
  # The design's message loop runs as written: it yields to the browser once per presented frame,
  # and a message box waits for its answer, by unwinding and rewinding the stack.
  -sASYNCIFY=1
  -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=67108864
  # main's return ends the run: the page shows the exit code.
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  -sMIN_WEBGL_VERSION=1
  -sMAX_WEBGL_VERSION=1
  -sEXPORTED_RUNTIME_METHODS=FS
  -sMINIFY_HTML=0)
set_property(TARGET facedemo APPEND PROPERTY LINK_DEPENDS ${WEB_SHELL})
add_dependencies(facedemo demo_data reference_pictures)
# The page's icon: the program's own, drawn by tools/.
add_custom_command(OUTPUT ${FACEDEMO_SITE_DIR}/favicon.png
  COMMAND ${CMAKE_COMMAND} -E copy ${FACEDEMO_ICON_DIR}/facedemo-48.png ${FACEDEMO_SITE_DIR}/favicon.png
  DEPENDS ${FACEDEMO_ICON_DIR}/facedemo-48.png icons)
add_custom_target(web_icon ALL DEPENDS ${FACEDEMO_SITE_DIR}/favicon.png)

# The contract's table linked against the browser backend, as each backend's own test links it: a
# function platform/web lacks breaks the web build. Not part of the site.
add_executable(web_contract_check ${PROJECT_SOURCE_DIR}/tests/web/contract_check.cpp
  ${PROJECT_SOURCE_DIR}/tests/platform_contract.cpp)
target_link_libraries(web_contract_check PRIVATE platform)
set_target_properties(web_contract_check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
# One file, the WebAssembly inside: node 18 and later would fetch a separate one as a URL.
target_link_options(web_contract_check PRIVATE -sASYNCIFY=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sSINGLE_FILE=1)
