# The layers of the portable code and what each may include. Every source and header of a layer
# is read at configure time; an include of a layer it may not use stops the configuration with
# the file and the include named, so that the layering holds before anything is compiled. The
# same rules decide which libraries each layer's library links (see the top CMakeLists.txt).
#
#   platform   interfaces the logic calls (files, shell, host, registry, dialogs, ...)
#   language   the player's language and its texts
#   settings   the settings files and their layouts
#   ui         the window model, backend-neutral
#   edition    the game's editions, its registry values and settings file, discovery
#   cleaning   removal, backup and statistics routines, without windows
#   launcher   Gatefire's window and launch sequence
#   scourix    Scourix's windows
set(LAYER_platform_DIRS platform)
set(LAYER_language_DIRS common/language)
set(LAYER_settings_DIRS common/settings)
set(LAYER_ui_DIRS platform/ui)
set(LAYER_edition_DIRS common/edition common/registry common/discovery)
set(LAYER_cleaning_DIRS common/cleaning)
set(LAYER_launcher_DIRS launcher)
set(LAYER_scourix_DIRS config/mainwindow config/tools)

set(LAYER_platform_USES platform)
set(LAYER_language_USES language platform)
set(LAYER_settings_USES settings language platform)
set(LAYER_ui_USES ui platform)
set(LAYER_edition_USES edition settings language platform)
set(LAYER_cleaning_USES cleaning edition settings language platform)
set(LAYER_launcher_USES launcher cleaning edition settings ui language platform)
set(LAYER_scourix_USES scourix cleaning edition settings ui language platform)

set(LAYERS platform language settings ui edition cleaning launcher scourix)

# The layer an include path belongs to; empty for a path outside the portable code (the Windows
# backend, the tests) or a system header.
function(layer_of path out)
  set(found "")
  set(best 0)
  foreach(layer IN LISTS LAYERS)
    foreach(dir IN LISTS LAYER_${layer}_DIRS)
      string(LENGTH "${dir}" n)
      if(path MATCHES "^${dir}/[^/]+$" AND n GREATER best)
        set(found ${layer})
        set(best ${n})
      endif()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(check_layers root)
  set(faults "")
  foreach(layer IN LISTS LAYERS)
    foreach(dir IN LISTS LAYER_${layer}_DIRS)
      file(GLOB files RELATIVE ${root} ${root}/${dir}/*.h ${root}/${dir}/*.cpp)
      foreach(f IN LISTS files)
        layer_of(${f} own)
        if(NOT own STREQUAL layer)
          continue()
        endif()
        file(STRINGS ${root}/${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
          string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
          layer_of(${inc} target)
          if(target STREQUAL "")
            if(inc MATCHES "^(platform|common|config|launcher)/")
              list(APPEND faults "${f}: ${inc} (outside the portable layers)")
            endif()
          elseif(NOT target IN_LIST LAYER_${layer}_USES)
            list(APPEND faults "${f}: ${inc} (${layer} may not use ${target})")
          endif()
        endforeach()
      endforeach()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes across the layers:\n  ${text}")
  endif()
endfunction()
