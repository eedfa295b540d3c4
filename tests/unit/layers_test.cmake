# The layer check on a small tree: every way an include can reach a layer it may not use is
# refused and named, and a tree whose includes keep to the rules passes.
#   cmake -DCHECK=cmake/layers.cmake -DWORK=<empty folder> -P tests/unit/layers_test.cmake
cmake_minimum_required(VERSION 3.25)

set(tree "${WORK}/tree")
file(REMOVE_RECURSE "${tree}")

function(put path)
  list(JOIN ARGN "\n" text)
  file(WRITE "${tree}/${path}" "${text}\n")
endfunction()

# Includes that keep to the rules.
put(launcher/anzeiger.h "#pragma once" "#include \"platform/ui/window.h\"")
put(launcher/anzeiger.cpp "#include \"anzeiger.h\"" "#include <vector>"
  "#include \"common/cleaning/cleaning.h\" // the routines")
put(launcher/win/winmain.cpp "#include \"launcher/anzeiger.h\"" "#include \"platform/win32/win32.h\"")
put(platform/files.h "#pragma once")
put(platform/ui/window.h "#pragma once" "#include \"../files.h\"")
put(platform/win32/win32.h "#pragma once" "#include <windows.h>" "#include \"platform/ui/window.h\"")
put(common/settings/layouts.h "#pragma once" "#include <platform/files.h>")
put(common/cleaning/cleaning.h "#pragma once" "#include \"common/settings/layouts.h\"")
put(tests/support/fake.h "#pragma once")
# Folders of one layer: the registry uses the edition folder listed before it.
put(common/edition/edition.h "#pragma once" "#include \"common/settings/layouts.h\"")
put(common/registry/game_registry.h "#pragma once" "#include \"common/edition/edition.h\"")

function(check expect_ok)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${CHECK}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(out "${out}" PARENT_SCOPE)
  if(expect_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "a tree that keeps to the rules was refused:\n${out}")
  elseif(NOT expect_ok AND rc EQUAL 0)
    message(FATAL_ERROR "a tree with faults passed")
  endif()
endfunction()

check(TRUE)

# One file a way past the rules; the file's name says which way.
string(ASCII 239 187 191 bom)
put(common/settings/angle.cpp "#include <launcher/anzeiger.h>")
put(common/settings/relative.cpp "#include \"../../launcher/anzeiger.h\"")
put(common/settings/macro.cpp "#define WINDOW \"launcher/anzeiger.h\"" "#include WINDOW")
put(common/settings/deep/folder/subfolder.h "#include \"launcher/anzeiger.h\"")
put(common/settings/header.hpp "#include \"launcher/anzeiger.h\"")
put(common/settings/inline.inl "#include \"launcher/anzeiger.h\"")
file(WRITE "${tree}/common/settings/continued.cpp" "#include \\\n  \"launcher/anzeiger.h\"\n")
put(common/settings/commented.cpp "# /* a note */ include \"launcher/anzeiger.h\"")
put(common/settings/spaced.cpp "  #\tinclude\t<launcher/anzeiger.h>")
put(common/settings/digraph.cpp "%:include \"launcher/anzeiger.h\"")
put(common/settings/marked.cpp "${bom}#include \"launcher/anzeiger.h\"")
put(common/settings/next.cpp "#include_next <launcher/anzeiger.h>")
put(common/settings/split.cpp "#/* a comment" "*/ include \"launcher/anzeiger.h\"")
put(common/settings/alias.cpp "#pragma include_alias(\"window.h\", \"launcher/anzeiger.h\")"
  "#include \"window.h\"")
file(WRITE "${tree}/common/settings/unit.cpp" "export import <launcher/anzeiger.h>;\n")
put(platform/ui/tests.cpp "#include \"tests/support/fake.h\"")
put(platform/win32/backend.cpp "#include \"common/settings/layouts.h\"")
put(platform/gtk/backend.cpp "#include \"launcher/anzeiger.h\"")
put(platform/linux/backend.cpp "#include \"../ui/window.h\"")
# ... and back: a cycle inside the layer.
put(common/edition/edition.cpp "#include \"../registry/game_registry.h\"")
check(FALSE)

foreach(bad common/settings/angle.cpp common/settings/relative.cpp common/settings/macro.cpp
    common/settings/deep/folder/subfolder.h common/settings/header.hpp
    common/settings/inline.inl common/settings/continued.cpp common/settings/commented.cpp
    common/settings/spaced.cpp common/settings/digraph.cpp common/settings/marked.cpp
    common/settings/next.cpp common/settings/split.cpp common/settings/alias.cpp
    common/settings/unit.cpp platform/ui/tests.cpp
    platform/win32/backend.cpp platform/gtk/backend.cpp platform/linux/backend.cpp
    common/edition/edition.cpp)
  string(FIND "${out}" "${bad}:" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${bad} was let through:\n${out}")
  endif()
endforeach()
foreach(good launcher/anzeiger.h launcher/anzeiger.cpp launcher/win/winmain.cpp
    platform/ui/window.h platform/win32/win32.h common/settings/layouts.h
    common/cleaning/cleaning.h common/edition/edition.h common/registry/game_registry.h)
  string(FIND "${out}" " ${good}:" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${good} was refused:\n${out}")
  endif()
endforeach()
file(REMOVE_RECURSE "${tree}")
