# The Linux release: both programs in /usr/games, Debian's folder for games and their tools (each
# finds the other beside itself), stripped; their desktop entries and the package's AppStream
# metainfo, in every language; their icons in every size of the hicolor theme and as SVG, their
# manual pages, the README, the license and the Debian
# changelog, as scourix_<version>-<revision>_<arch>.deb made by CPack's DEB generator.
# tools/package runs it on the linux build; tools/test has lintian check it.
include(GNUInstallDirs)
set(DEB_MAINTAINER "${PROGRAM_PUBLISHER} <maintainers@scourix.invalid>")
set(DEB_REVISION 1)
set(DEB_VERSION ${PROJECT_VERSION}-${DEB_REVISION})

install(TARGETS gatefire scourix RUNTIME DESTINATION games)
# Without the compiler's version notes, as Debian's own packages ship their programs.
install(CODE "foreach(p gatefire scourix)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/\${p}\" COMMAND_ERROR_IS_FATAL ANY)
endforeach()")
foreach(p gatefire scourix)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/icons/hicolor/${size}x${size}/apps/${p}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/icons/hicolor/scalable/apps/${p}.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
endforeach()

# Manual pages and the changelog go in compressed, as Debian wants them: gzip -9n, without the
# name and time that would make each build's bytes differ. Made when CMake configures, again
# whenever a source changes.
set(deb_files ${CMAKE_BINARY_DIR}/deb)
file(MAKE_DIRECTORY ${deb_files})
function(deb_gzip source target)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${deb_files}/${target}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not compress ${source}")
  endif()
endfunction()
foreach(p gatefire scourix)
  deb_gzip(${CMAKE_SOURCE_DIR}/docs/man/${p}.6 ${p}.6.gz)
  install(FILES ${deb_files}/${p}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
# The changelog's newest entry must be this version: a new version needs its entry first.
set(changelog ${CMAKE_SOURCE_DIR}/resources/linux/changelog.Debian)
file(STRINGS ${changelog} newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^scourix \\(${DEB_VERSION}\\) ")
  message(FATAL_ERROR "${changelog} has no entry for ${DEB_VERSION} at its top")
endif()
deb_gzip(${changelog} changelog.Debian.gz)

# The desktop entries and the package's AppStream metainfo in every language: msgfmt merges the
# translations of po/desktop (its own small domain, apart from the programs' catalogues, which
# hold only the programs' texts and are compiled into them) into the English templates
# (resources/linux/*.in). The metainfo's release is the changelog's newest entry. Made when CMake
# configures, again whenever a template or a translation changes; tools/check-catalogues checks
# that every language translates every text.
set(appstream_id io.github.scourix.Scourix)
file(STRINGS ${changelog} signed REGEX "^ -- .*>  " LIMIT_COUNT 1)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
string(REGEX MATCH "^scourix \\(([^-]+)-" found "${newest}")
set(RELEASE_VERSION ${CMAKE_MATCH_1})
string(REGEX MATCH ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) " found "${signed}")
if(NOT found)
  message(FATAL_ERROR "${changelog}: no date in its newest entry's signature")
endif()
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
if(month LESS 10)
  set(month 0${month})
endif()
set(RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
file(GLOB desktop_catalogues ${CMAKE_SOURCE_DIR}/po/desktop/*.po)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${desktop_catalogues}
             ${CMAKE_SOURCE_DIR}/po/desktop/LINGUAS)
function(deb_translate kind template target)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
  execute_process(COMMAND ${MSGFMT} --${kind} --template=${template}
                          -d ${CMAKE_SOURCE_DIR}/po/desktop -o ${deb_files}/${target}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not translate ${template}")
  endif()
endfunction()
foreach(p gatefire scourix)
  deb_translate(desktop ${CMAKE_SOURCE_DIR}/resources/linux/${p}.desktop.in ${p}.desktop)
  install(FILES ${deb_files}/${p}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/resources/linux/${appstream_id}.metainfo.xml.in
               ${deb_files}/${appstream_id}.metainfo.xml.in @ONLY)
deb_translate(xml ${deb_files}/${appstream_id}.metainfo.xml.in ${appstream_id}.metainfo.xml)
install(FILES ${deb_files}/${appstream_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${deb_files}/changelog.Debian.gz ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/scourix)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/scourix
        RENAME copyright)
# Where lintian is wrong about this package; each override says why.
install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME scourix)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT DEB_ARCH)
  set(DEB_ARCH amd64)
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scourix)
set(CPACK_PACKAGE_VENDOR "${PROGRAM_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool and launcher for Descent 3")
set(CPACK_PACKAGE_DESCRIPTION "\
Gatefire is what the player starts instead of the open-source Descent 3:
each time, it clears the taunts and ship logos that other pilots left in
the game's custom folders, keeping the player's own (or moving the others
to a backup folder), deletes old statistics files, starts side programs,
and starts the game with the player's pilot, switches and direct join.
.
Scourix sets all of this up: the game folder, found in a Steam or GOG
library, the files to keep, the switches and the pilot. Both programs speak
English, German, French, Spanish and Italian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${DEB_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xdg-utils)
set(CPACK_DEBIAN_FILE_NAME "scourix_${DEB_VERSION}_${DEB_ARCH}.deb")
include(CPack)
