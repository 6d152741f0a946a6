# The two Windows programs, from the same sources: morvane, and
# morvane-hscroll whose main-window edits scroll horizontally
# (MORVANE_HSCROLL). Both link the portable core and the dialog templates.
enable_language(RC)

# Every Win32 call of the window programs lives in app/*_win.cpp; the floors
# below stay portable.
file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*_win.cpp)
set(WIN_RESOURCES ${CMAKE_SOURCE_DIR}/res/morvane.rc)
# The manifest is pulled in by the .rc file.
set_source_files_properties(${WIN_RESOURCES} PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/morvane.manifest)

foreach(program morvane morvane-hscroll)
  add_executable(${program} WIN32 ${WIN_SOURCES} ${WIN_RESOURCES})
  target_link_libraries(${program} PRIVATE morvane_core)
  # The compiler's runtime goes into the program, so it imports only the
  # system DLLs and the C runtime.
  target_link_options(${program} PRIVATE -mwindows -static-libgcc -static-libstdc++ -static)
endforeach()
target_compile_definitions(morvane-hscroll PRIVATE MORVANE_HSCROLL)
