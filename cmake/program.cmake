# A Windows GUI program of ours: its WinMain, its resource script with version and manifest
# (configured from the project's version), the Win32 platform layer; output in bin/.
function(windows_program name)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${name}.manifest.in
                 ${CMAKE_BINARY_DIR}/generated/${name}.manifest @ONLY)
  add_executable(${name} WIN32 ${ARGN} ${CMAKE_SOURCE_DIR}/resources/${name}.rc)
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(${name} PRIVATE win32platform)
  if(NOT MSVC)
    target_link_options(${name} PRIVATE -municode)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()
