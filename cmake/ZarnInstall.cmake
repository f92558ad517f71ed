# Installing Zarn like any desktop game: the programs, the resource archive, the menu entry, the icon in
# every size, the AppStream metadata and the manual pages; and the Debian package built from the same
# rules (cpack, see `make package`).
include(GNUInstallDirs)

# The day this version was released: written into the metadata and the manual pages, so every build of
# one version gives the same files.
set(ZARN_RELEASE_DATE 2026-12-10)
set(ZARN_RELEASE_EPOCH 1796860800)

# The programs go where a system keeps its games (on Debian /usr/games, on the path of every desktop
# session); the archive tool serves only the game's archives, so it goes with them.
set(ZARN_INSTALL_GAMESDIR games CACHE STRING "Folder under the prefix for zarn, zarn-sim and zarn-pak")

set(ZARN_DATA_DIR ${CMAKE_SOURCE_DIR}/data)
set(ZARN_GENERATED_DIR ${CMAKE_BINARY_DIR}/installed)

configure_file(${ZARN_DATA_DIR}/zarn.desktop.in ${ZARN_GENERATED_DIR}/english/${ZARN_APP_ID}.desktop @ONLY)
configure_file(${ZARN_DATA_DIR}/zarn.metainfo.xml.in ${ZARN_GENERATED_DIR}/english/${ZARN_APP_ID}.metainfo.xml
               @ONLY)

# The menu entry and the metadata carry every language's name and summary from the same catalogues as
# the game: msgfmt --desktop and --xml merge every catalogue of po/LINGUAS at once.
function(zarn_translated_file name mode)
    set(english ${ZARN_GENERATED_DIR}/english/${name})
    set(result ${ZARN_GENERATED_DIR}/${name})
    set(catalogues)
    foreach(lang ${ZARN_SHIPPED_LINGUAS})
        list(APPEND catalogues ${CMAKE_SOURCE_DIR}/po/${lang}.po)
    endforeach()
    add_custom_command(
        OUTPUT ${result}
        COMMAND ${ZARN_MSGFMT} ${mode} --template=${english} -d ${CMAKE_SOURCE_DIR}/po -o ${result}
        DEPENDS ${english} ${catalogues} ${CMAKE_SOURCE_DIR}/po/LINGUAS
        COMMENT "Translating ${name}"
        VERBATIM)
endfunction()
zarn_translated_file(${ZARN_APP_ID}.desktop --desktop)
zarn_translated_file(${ZARN_APP_ID}.metainfo.xml --xml)
add_custom_target(zarn_menu_entry ALL
                  DEPENDS ${ZARN_GENERATED_DIR}/${ZARN_APP_ID}.desktop
                          ${ZARN_GENERATED_DIR}/${ZARN_APP_ID}.metainfo.xml)

# Manual pages, written from each program's own --help and --version by help2man, with the sections
# the help does not hold (files, environment, exit status, examples) from data/man/. They follow every
# change of the options by themselves.
# help2man is not needed to build and run the game, so `make run` does not install it; `make install`,
# `make package` and `make test` do, and configure again. Until then the pages cannot be written, and
# the install says so rather than going ahead without them.
find_program(ZARN_HELP2MAN help2man)
find_program(ZARN_GZIP gzip REQUIRED)
set(ZARN_MAN_PAGES)
function(zarn_manual_page program section summary)
    set(page ${ZARN_GENERATED_DIR}/${program}.${section})
    if(ZARN_HELP2MAN)
        add_custom_command(
            OUTPUT ${page} ${page}.gz
            COMMAND env SOURCE_DATE_EPOCH=${ZARN_RELEASE_EPOCH} ASAN_OPTIONS=detect_leaks=0
                    ${ZARN_HELP2MAN} --no-info --section=${section} --name=${summary}
                    --include=${ZARN_DATA_DIR}/man/${program}.h2m --output=${page} $<TARGET_FILE:${program}>
            COMMAND ${ZARN_GZIP} -9 -n -f -k ${page}
            DEPENDS ${program} ${ZARN_DATA_DIR}/man/${program}.h2m
            COMMENT "Writing the manual page ${program}(${section})"
            VERBATIM)
    endif()
    set(ZARN_MAN_PAGES ${ZARN_MAN_PAGES} ${page}.gz PARENT_SCOPE)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
zarn_manual_page(zarn 6 "trick-taking compendium card game against three computer players")
zarn_manual_page(zarn-sim 6 "play whole Zarn matches headless and check every rule")
zarn_manual_page(zarn-pak 1 "list, extract and create PACK archives")
if(ZARN_HELP2MAN)
    add_custom_target(zarn_manpages ALL DEPENDS ${ZARN_MAN_PAGES})
else()
    message(STATUS "help2man not found: the manual pages (and so install and package) wait for it")
    add_custom_target(zarn_manpages
        COMMAND ${CMAKE_COMMAND} -E echo "help2man is missing: scripts/setup.sh package installs it"
        COMMAND ${CMAKE_COMMAND} -E false
        VERBATIM)
endif()

# The Debian changelog, compressed as Debian keeps it.
add_custom_command(
    OUTPUT ${ZARN_GENERATED_DIR}/changelog.gz
    COMMAND ${ZARN_GZIP} -9 -n -c ${ZARN_DATA_DIR}/changelog > ${ZARN_GENERATED_DIR}/changelog.gz
    DEPENDS ${ZARN_DATA_DIR}/changelog
    VERBATIM)
add_custom_target(zarn_changelog ALL DEPENDS ${ZARN_GENERATED_DIR}/changelog.gz)

# Everything `cmake --install` copies; `make install` and `make package` build this and no tests.
add_custom_target(zarn_installable DEPENDS zarn zarn-sim zarn-pak zarn_resources zarn_language_resources zarn_icons
                                           zarn_manpages zarn_changelog zarn_catalogues zarn_menu_entry)

# Relocations resolved at start and then read-only, as Debian links its programs.
foreach(program zarn zarn-sim zarn-pak)
    target_link_options(${program} PRIVATE LINKER:-z,relro,-z,now)
endforeach()
install(TARGETS zarn zarn-sim zarn-pak RUNTIME DESTINATION ${ZARN_INSTALL_GAMESDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/res118.pak ${CMAKE_BINARY_DIR}/bin/res118-hd.pak
              ${CMAKE_BINARY_DIR}/bin/res118-lang.pak
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zarn)
install(FILES ${ZARN_GENERATED_DIR}/${ZARN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZARN_GENERATED_DIR}/${ZARN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/icons/icon-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${ZARN_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/icons/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZARN_APP_ID}.svg)
install(FILES ${ZARN_DATA_DIR}/copyright ${ZARN_GENERATED_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: `make package` (cpack -G DEB in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zarn developers")
set(CPACK_PACKAGE_CONTACT "The Zarn developers <developers@zarngame.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trick-taking compendium card game against the computer")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zarn is the four-seat compendium card game of kingdoms: one player against
three computer players, twenty contracts in four kingdoms, on an animated
felt table with a handwritten score sheet. Penalty points add up and the
lowest total wins; partnership play, French dealing and a demo mode are
included.
.
Every card, picture and sound is drawn or synthesised by the game's own
code. The package also holds zarn-sim, which plays whole matches headless
and checks the rules, and zarn-pak, which lists, extracts and creates the
game's PACK archives.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zarngame.net/)
# The dependencies come from the shared libraries the programs link (dpkg-shlibdeps), not from a list.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Spoken play speaks through the desktop's speech service; the game plays on silently without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS speech-dispatcher)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
