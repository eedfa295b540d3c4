# A Windows GUI program of ours: its WinMain, its resource script with version and manifest
# (configured from the project's version), the Win32 platform layer; output in bin/.
# The manifests name the processor of the build: x86 for the 32-bit release, amd64 for the
# 64-bit test build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MANIFEST_ARCH amd64)
else()
  set(MANIFEST_ARCH x86)
endif()

function(windows_program name)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${name}.manifest.in
                 ${CMAKE_BINARY_DIR}/generated/${name}.manifest @ONLY)
  set(dialogs ${CMAKE_SOURCE_DIR}/resources/${name}-dialogs.manifest.in)
  if(EXISTS ${dialogs})
    configure_file(${dialogs} ${CMAKE_BINARY_DIR}/generated/${name}-dialogs.manifest @ONLY)
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/${name}.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${CMAKE_BINARY_DIR}/generated/${name}-dialogs.manifest)
  endif()
  add_executable(${name} WIN32 ${ARGN} ${CMAKE_SOURCE_DIR}/resources/${name}.rc)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/${name}.rc APPEND PROPERTY OBJECT_DEPENDS
               ${CMAKE_BINARY_DIR}/generated/${name}.manifest
               ${CMAKE_BINARY_DIR}/generated/version.h
               ${CMAKE_SOURCE_DIR}/resources/${name}.ico
               ${CMAKE_SOURCE_DIR}/resources/version_info.rc)
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(${name} PRIVATE win32platform)
  if(NOT MSVC)
    target_link_options(${name} PRIVATE -municode)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()
