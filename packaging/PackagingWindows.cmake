# Installs pk10plan as a Windows program and describes the installer that
# `cpack -G NSIS` makes of it in the build folder: pk10plan-<version>-win64.exe.
# Included by the top-level CMakeLists.txt on Windows; Packaging.cmake is Linux's.
#
# Everything goes into one folder, Program Files\pk10plan: the programs, the
# bundled draws and their origin note (found beside the program, see
# src/app/BundledData.h) and the licence. A program started in that folder without
# --data-dir keeps its files in %LOCALAPPDATA%\pk10plan (src/app/DataDir.h).

install(TARGETS pk10plan RUNTIME DESTINATION .)
if(TARGET feed-sim)
    install(TARGETS feed-sim RUNTIME DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/share/pk10-2014.txt ${PROJECT_SOURCE_DIR}/share/SOURCE.md
        DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The installer builds only what it installs (scripts/windows-package.sh builds
# those first), not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME pk10plan)
set(CPACK_PACKAGE_VENDOR "the pk10plan authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prediction plans for the PK10 racing lottery")
set(CPACK_PACKAGE_FILE_NAME pk10plan-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY pk10plan)
# One key for every version, so a newer installer finds and replaces an older one.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY pk10plan)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# A 64-bit installer for the 64-bit programs: it writes the 64-bit Program Files
# and registry without redirection, and runs where Windows (or Wine) has no
# 32-bit layer.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME pk10plan)
set(CPACK_NSIS_PACKAGE_NAME pk10plan)
set(CPACK_NSIS_DISPLAY_VERSION ${PROJECT_VERSION})
set(CPACK_NSIS_INSTALLED_ICON_NAME pk10plan.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
# The Start menu folder "pk10plan": the programs (started in the installed folder),
# the demonstration (the window against the local server, pk10plan-demo.exe) and
# the uninstaller.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES pk10plan pk10plan pk10plan-cli "pk10plan (console)"
                              pk10plan-feed-sim "pk10plan local results server"
                              pk10plan-demo "pk10plan (演示)")
include(CPack)
