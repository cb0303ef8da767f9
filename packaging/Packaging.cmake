# Installs pk10plan like any Linux desktop program and describes the Debian
# package that `cpack -G DEB` makes of it in the build folder:
# pk10plan_<version>_<arch>.deb. Included by the top-level CMakeLists.txt.
include(GNUInstallDirs)

set(PK10_PACKAGE_MAINTAINER "the pk10plan authors <pk10plan@example.org>"
    CACHE STRING "Maintainer of the Debian package (name <address>)")
set(PK10_HOMEPAGE "https://example.org/pk10plan/" CACHE STRING "The project's home page")
set(PK10_SCREENSHOT_URL "${PK10_HOMEPAGE}window.png"
    CACHE STRING "Address of the window's screenshot (docs/window.png) for software centres")
# The release of PROJECT_VERSION, for the AppStream metadata and the changelog.
set(PK10_RELEASE_DATE 2026-12-10)
set(PK10_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")

set(pk10_packaging_dir ${CMAKE_CURRENT_LIST_DIR})
set(pk10_generated_dir ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${pk10_generated_dir})

# The programs. feed-sim keeps its short name in the build folder; installed, it
# carries the package's name. install(PROGRAMS) leaves stripping to us.
if(TARGET feed-sim)
    install(PROGRAMS $<TARGET_FILE:feed-sim> DESTINATION ${CMAKE_INSTALL_BINDIR}
            RENAME pk10plan-feed-sim)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_STRIP}\"
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/pk10plan-feed-sim\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()")
endif()

# The demonstration: the window against the local server on a free port, in a
# data folder of its own, with its own menu entry and manual page.
if(TARGET feed-sim)
    install(PROGRAMS ${pk10_packaging_dir}/pk10plan-demo.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
            RENAME pk10plan-demo)
    install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/pk10plan-demo.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()

# Desktop entries, icons in three sizes, AppStream metadata.
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/pk10plan.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/pk10plan.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
foreach(size 48 128)
    install(FILES ${pk10_packaging_dir}/icons/pk10plan-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME pk10plan.png)
endforeach()
configure_file(${pk10_packaging_dir}/pk10plan.metainfo.xml.in
               ${pk10_generated_dir}/pk10plan.metainfo.xml @ONLY)
install(FILES ${pk10_generated_dir}/pk10plan.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Copyright and changelog where Debian keeps them (gzip -9n: no name, no time).
find_program(PK10_GZIP gzip REQUIRED)
configure_file(${pk10_packaging_dir}/changelog.in ${pk10_generated_dir}/changelog @ONLY)
add_custom_command(
    OUTPUT ${pk10_generated_dir}/changelog.gz
    COMMAND ${PK10_GZIP} -9nf changelog
    DEPENDS ${pk10_generated_dir}/changelog
    WORKING_DIRECTORY ${pk10_generated_dir}
    COMMENT "Compressing the package changelog")
set(pk10_packaging_outputs ${pk10_generated_dir}/changelog.gz)
install(FILES ${pk10_packaging_dir}/copyright ${pk10_generated_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages, made by help2man from each program's --help at build time so they
# always list the options the program has. The .h2m file adds FILES and EXIT STATUS.
find_program(PK10_HELP2MAN help2man)
if(PK10_HELP2MAN AND TARGET pk10plan AND TARGET feed-sim)
    foreach(page pk10plan pk10plan-feed-sim)
        if(page STREQUAL "pk10plan")
            set(target pk10plan)
            set(summary "prediction plans for the PK10 racing lottery")
        else()
            set(target feed-sim)
            set(summary "local results server for pk10plan")
        endif()
        add_custom_command(
            OUTPUT ${pk10_generated_dir}/${page}.1.gz
            COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${PK10_HELP2MAN} --no-info --section=1
                    "--name=${summary}" "--version-string=${page} ${PROJECT_VERSION}"
                    --include=${pk10_packaging_dir}/${page}.h2m --output=${page}.1
                    $<TARGET_FILE:${target}>
            COMMAND ${PK10_GZIP} -9nf ${page}.1
            DEPENDS ${target} ${pk10_packaging_dir}/${page}.h2m
            WORKING_DIRECTORY ${pk10_generated_dir}
            COMMENT "Making the manual page ${page}(1) with help2man")
        list(APPEND pk10_packaging_outputs ${pk10_generated_dir}/${page}.1.gz)
        install(FILES ${pk10_generated_dir}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
else()
    message(STATUS "pk10plan: help2man not found; no manual pages")
endif()
# The demonstration's page is written by hand: it is a script of a few lines.
if(TARGET feed-sim)
    add_custom_command(
        OUTPUT ${pk10_generated_dir}/pk10plan-demo.1.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${pk10_packaging_dir}/pk10plan-demo.1 pk10plan-demo.1
        COMMAND ${PK10_GZIP} -9nf pk10plan-demo.1
        DEPENDS ${pk10_packaging_dir}/pk10plan-demo.1
        WORKING_DIRECTORY ${pk10_generated_dir}
        COMMENT "Compressing the manual page pk10plan-demo(1)")
    list(APPEND pk10_packaging_outputs ${pk10_generated_dir}/pk10plan-demo.1.gz)
    install(FILES ${pk10_generated_dir}/pk10plan-demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
add_custom_target(pk10_packaging_files ALL DEPENDS ${pk10_packaging_outputs})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pk10plan)
set(CPACK_PACKAGE_VENDOR "the pk10plan authors")
set(CPACK_PACKAGE_CONTACT "${PK10_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prediction plans for the PK10 racing lottery")
set(CPACK_PACKAGE_DESCRIPTION
    "pk10plan downloads the recent draws of the ten-car racing lottery PK10 from a\n"
    "results server and derives, for each finishing place, a plan of six car numbers\n"
    "to back over the next three periods. It settles earlier plans as hit or missed,\n"
    "keeps them in per-day files and refreshes every two minutes, in a window or\n"
    "headless. pk10plan-feed-sim is a local results server that replays the\n"
    "bundled real draws of 2014.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PK10_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PK10_HOMEPAGE}")
include(CPack)
