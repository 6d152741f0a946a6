# The page's WebAssembly module (web/): the portable core, the command
# line's settings-file reader, checks and config.txt reading, and the glue
# the page's JavaScript calls. Built twice by scripts/build.sh web: with
# WebAssembly SIMD (the wasm-simd128 backend, morvane-simd.js) and without
# (MORVANE_SIMD=OFF, the portable backend alone, morvane-plain.js), which
# the page loads where SIMD is missing.
add_library(morvane_web_cli STATIC ${CMAKE_SOURCE_DIR}/cli/SettingsFile.cpp
            ${CMAKE_SOURCE_DIR}/cli/SettingsCheck.cpp ${CMAKE_SOURCE_DIR}/cli/ConsoleConfig.cpp)
target_link_libraries(morvane_web_cli PUBLIC morvane_core)

if(MORVANE_SIMD)
  set(MORVANE_WEB_NAME morvane-simd)
  # The portable kernels and the rest of the core may use SIMD too.
  target_compile_options(morvane_core PRIVATE -msimd128)
else()
  set(MORVANE_WEB_NAME morvane-plain)
endif()
add_executable(morvane_web ${CMAKE_SOURCE_DIR}/web/WebGlue.cpp ${CMAKE_SOURCE_DIR}/web/WebJson.cpp)
set_target_properties(morvane_web PROPERTIES OUTPUT_NAME ${MORVANE_WEB_NAME} SUFFIX ".js")
target_link_libraries(morvane_web PRIVATE morvane_web_cli)
# One instance per worker: a factory (MorvaneModule), memory that grows with
# the rows of a chunk, the heap for passing texts and bytes, no threads.
target_link_options(morvane_web PRIVATE -sMODULARIZE=1 -sEXPORT_NAME=MorvaneModule
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web,worker,node -sEXPORTED_FUNCTIONS=_malloc,_free
  -sEXPORTED_RUNTIME_METHODS=HEAPU8 -sINCOMING_MODULE_JS_API=locateFile,print,printErr,wasmBinary)
