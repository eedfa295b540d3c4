# Compiles the translations into the programs: writes OUT, a C++ source that holds each checked
# PO catalogue named in LANGS (po/<code>.po below ROOT, the build folder) as bytes, for
# lang::detail::catalogue.
# Run as a script: cmake -DROOT=... -DOUT=... -DLANGS=de,fr,es,it -P cmake/catalogues.cmake
string(REPLACE "," ";" LANGS "${LANGS}")
set(body "")
set(cases "")
foreach(code IN LISTS LANGS)
  file(READ "${ROOT}/po/${code}.po" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char k_${code}[] = {${bytes}0};\n")
  string(APPEND cases "    if (code == \"${code}\")\n        return {reinterpret_cast<const char*>(k_${code}), ${size}};\n")
endforeach()
file(WRITE "${OUT}.new" "// Made by cmake/catalogues.cmake from po/*.po; do not edit.
#include \"common/language/language.h\"

namespace lang::detail {
namespace {
${body}} // namespace

std::string_view catalogue(std::string_view code) {
${cases}    return {};
}

} // namespace lang::detail
")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
