# The layers of the code and what each may include. Every file of a layer's folders and their
# subfolders is read (a subfolder that is a layer of its own belongs to that layer); an include of
# a layer it may not use stops the configuration with the file and the include named, so that the
# layering holds before anything is compiled. The folders of one layer are listed lowest first:
# a file may use its own folder and those listed before it, never one after it, so that no
# folders of a layer use each other. The same rules decide which libraries each layer's
# library links (see the top CMakeLists.txt).
#
#   platform   interfaces the logic calls (files, shell, host, registry, dialogs, ...)
#   language   the player's language and its texts
#   settings   the settings files and their layouts
#   ui         the window model, backend-neutral
#   edition    the game's editions, its registry values and settings file, discovery
#   cleaning   removal, backup and statistics routines, without windows
#   launcher   Gatefire's window and launch sequence
#   scourix    Scourix's windows
#   win32, linux, gtk   the backends: they implement platform and the window model and use
#              nothing above them (win32 also reads the resources' ids)
#   programs   the entry points: they build a backend and open the first window
#   resources  the resources' ids
#
# Every include is judged as the compiler finds it: "x" beside the including file first, then
# from the source root, <x> from the source root; paths with .. are followed. An include through
# a macro or under another name (#pragma include_alias) cannot be judged and is refused, as is a
# project file outside every layer (the tests).
#
# Run on its own: cmake -DROOT=<source folder> -P cmake/layers.cmake
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()
set(LAYER_platform_DIRS platform)
set(LAYER_language_DIRS common/language)
set(LAYER_settings_DIRS common/settings)
set(LAYER_ui_DIRS platform/ui)
set(LAYER_edition_DIRS common/edition common/discovery common/registry)
set(LAYER_cleaning_DIRS common/cleaning)
set(LAYER_launcher_DIRS launcher)
set(LAYER_scourix_DIRS config/tools config/mainwindow)
set(LAYER_win32_DIRS platform/win32)
set(LAYER_linux_DIRS platform/linux)
set(LAYER_gtk_DIRS platform/gtk)
set(LAYER_programs_DIRS launcher/win launcher/gtk config/win config/gtk)
set(LAYER_resources_DIRS resources)

set(LAYER_platform_USES platform)
set(LAYER_language_USES language platform)
set(LAYER_settings_USES settings language platform)
set(LAYER_ui_USES ui platform)
set(LAYER_edition_USES edition settings language platform)
set(LAYER_cleaning_USES cleaning edition settings language platform)
set(LAYER_launcher_USES launcher cleaning edition settings ui language platform)
set(LAYER_scourix_USES scourix cleaning edition settings ui language platform)
set(LAYER_win32_USES win32 ui platform resources)
set(LAYER_linux_USES linux platform)
set(LAYER_gtk_USES gtk ui platform)
set(LAYER_programs_USES programs launcher scourix cleaning edition settings ui language platform
  win32 linux gtk resources)
set(LAYER_resources_USES resources)

set(LAYERS platform language settings ui edition cleaning launcher scourix win32 linux gtk
  programs resources)

# The files that may hold includes.
set(LAYER_SOURCE_PATTERNS *.h *.hh *.hpp *.hxx *.h++ *.inl *.ipp *.tpp *.tcc *.inc *.c *.cc *.cpp
  *.cxx *.c++)

# The layer a path (relative to the source root) lies in: the deepest layer folder holding it;
# empty for a path outside every layer. `out`_FOLDER is that folder.
function(layer_of path out)
  set(found "")
  set(folder "")
  set(best 0)
  foreach(layer IN LISTS LAYERS)
    foreach(dir IN LISTS LAYER_${layer}_DIRS)
      string(LENGTH "${dir}" n)
      string(LENGTH "${path}" p)
      if(p GREATER n AND n GREATER best)
        string(SUBSTRING "${path}" 0 ${n} head)
        string(SUBSTRING "${path}" ${n} 1 slash)
        if(head STREQUAL dir AND slash STREQUAL "/")
          set(found ${layer})
          set(folder ${dir})
          set(best ${n})
        endif()
      endif()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
  set(${out}_FOLDER "${folder}" PARENT_SCOPE)
endfunction()

# The fault of including `path` (relative to the root, normalised) from the file `from` of
# `layer`; empty for none.
function(include_fault root layer from path out)
  set(fault "")
  layer_of("${path}" target)
  layer_of("${from}" own)
  list(FIND LAYER_${layer}_DIRS "${own_FOLDER}" below)
  list(FIND LAYER_${layer}_DIRS "${target_FOLDER}" above)
  if(target STREQUAL layer AND above GREATER below)
    set(fault "${own_FOLDER} may not use ${target_FOLDER}, listed after it in ${layer}")
  elseif(target STREQUAL "")
    if(NOT path MATCHES "^\\.\\./" AND (EXISTS "${root}/${path}"
        OR path MATCHES "^(platform|common|config|launcher|resources|tests|tools)/"))
      set(fault "outside the layers")
    endif()
  elseif(NOT target IN_LIST LAYER_${layer}_USES)
    set(fault "${layer} may not use ${target}")
  endif()
  set(${out} "${fault}" PARENT_SCOPE)
endfunction()

# `path` relative to the root with . and .. resolved ("../x" when it leaves the root).
function(normal_path root path out)
  get_filename_component(abs "${root}/${path}" ABSOLUTE)
  file(RELATIVE_PATH rel "${root}" "${abs}")
  set(${out} "${rel}" PARENT_SCOPE)
endfunction()

# The faults of one file of `layer`, appended to the list named `listVar`.
function(check_file root f layer listVar)
  set(found "${${listVar}}")
  file(READ "${root}/${f}" text)
  # Whatever the preprocessor joins or skips: a leading byte-order mark, backslash-newlines.
  # List separators and brackets are taken out so that each line is one list element.
  string(ASCII 239 187 191 bom)
  string(REGEX REPLACE "^${bom}" "" text "${text}")
  string(REGEX REPLACE "\\\\\r?\n" "" text "${text}")
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "[" "(" text "${text}")
  string(REPLACE "]" ")" text "${text}")
  string(ASCII 11 vt)
  string(ASCII 12 ff)
  set(ws "[ \t\r${vt}${ff}]")
  # A directive: "#" or its digraph "%:" first on the line.
  string(REGEX MATCHALL "\n${ws}*(#|%:)[^\n]*" lines "\n${text}")
  # A header imported as a module unit reaches its layer just as an include does.
  string(REGEX MATCHALL "\n${ws}*(export${ws}+)?import${ws}*[<\"][^\n]*" units "\n${text}")
  foreach(unit IN LISTS units)
    string(REGEX REPLACE "^\n${ws}*(export${ws}+)?import${ws}*" "#include " unit "${unit}")
    list(APPEND lines "${unit}")
  endforeach()
  get_filename_component(dir "${f}" DIRECTORY)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^\n?${ws}*(#|%:)" "" line "${line}")
    # Comments within the line stand for a blank, as for the compiler.
    string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" " " line "${line}")
    string(REGEX REPLACE "^${ws}+" "" line "${line}")
    if(line MATCHES "^/\\*")
      list(APPEND found "${f}: #${line} (a directive the check cannot read)")
      continue()
    endif()
    if(line MATCHES "^pragma${ws}+include_alias")
      list(APPEND found "${f}: #${line} (an include under another name)")
      continue()
    endif()
    if(NOT line MATCHES "^(include_next|include|import)([^A-Za-z0-9_].*)?$")
      continue()
    endif()
    string(REGEX REPLACE "^[a-z_]+${ws}*" "" named "${line}")
    if(named MATCHES "^\"([^\"]*)\"")
      set(inc "${CMAKE_MATCH_1}")
      # Beside the including file first, then from the root.
      normal_path("${root}" "${dir}/${inc}" beside)
      normal_path("${root}" "${inc}" fromRoot)
      if(EXISTS "${root}/${beside}" AND NOT IS_DIRECTORY "${root}/${beside}")
        set(targets "${beside}")
      elseif(EXISTS "${root}/${fromRoot}")
        set(targets "${fromRoot}")
      else()
        set(targets "${beside}" "${fromRoot}")
      endif()
    elseif(named MATCHES "^<([^>]*)>")
      set(inc "${CMAKE_MATCH_1}")
      normal_path("${root}" "${inc}" fromRoot)
      set(targets "${fromRoot}")
    else()
      list(APPEND found "${f}: #${line} (an include through a macro)")
      continue()
    endif()
    foreach(target IN LISTS targets)
      include_fault("${root}" ${layer} "${f}" "${target}" fault)
      if(fault)
        list(APPEND found "${f}: ${inc} (${fault})")
        break()
      endif()
    endforeach()
  endforeach()
  set(${listVar} "${found}" PARENT_SCOPE)
endfunction()

function(check_layers root)
  get_filename_component(root "${root}" ABSOLUTE)
  set(faults "")
  foreach(layer IN LISTS LAYERS)
    foreach(dir IN LISTS LAYER_${layer}_DIRS)
      set(globs "")
      foreach(p IN LISTS LAYER_SOURCE_PATTERNS)
        list(APPEND globs "${root}/${dir}/${p}")
      endforeach()
      file(GLOB_RECURSE files RELATIVE "${root}" ${globs})
      foreach(f IN LISTS files)
        layer_of("${f}" own)
        if(NOT own STREQUAL layer)
          continue()
        endif()
        check_file("${root}" "${f}" ${layer} faults)
      endforeach()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes across the layers:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT DEFINED ROOT)
    message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  check_layers("${ROOT}")
endif()
