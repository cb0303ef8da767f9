# One INTERFACE target carries the language standard, the warnings and the
# sanitizer flags for every target of our own code.
add_library(pk10_options INTERFACE)
target_compile_features(pk10_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

# Warnings are errors only where we ask for it (the test command and CI do):
# a user's or a packager's build with another compiler or other flags still builds.
option(PK10_WERROR "Treat compiler warnings as errors" OFF)
if(MSVC)
    target_compile_options(pk10_options INTERFACE /W4 /utf-8 /permissive-)
    if(PK10_WERROR)
        target_compile_options(pk10_options INTERFACE /WX)
    endif()
else()
    target_compile_options(pk10_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                  -Wnon-virtual-dtor)
    if(PK10_WERROR)
        target_compile_options(pk10_options INTERFACE -Werror)
    endif()
endif()

if(PK10_SANITIZE)
    target_compile_options(pk10_options INTERFACE -fsanitize=${PK10_SANITIZE}
                                                  -fno-omit-frame-pointer)
    target_link_options(pk10_options INTERFACE -fsanitize=${PK10_SANITIZE})
    target_compile_definitions(pk10_options INTERFACE PK10_SANITIZED=1)
endif()

# Adds a static library made of every .cpp file in the calling folder.
function(pk10_folder_library name)
    pk10_library(${name} "")
endfunction()

# Adds a static library of the given sources plus every .cpp file in the calling
# folder; a folder with no sources yet gives a header-only library.
function(pk10_library name excluded)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(excluded)
        list(REMOVE_ITEM sources ${excluded})
    endif()
    if(sources)
        add_library(${name} STATIC ${sources})
        set(scope PUBLIC)
    else()
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} ${scope} pk10_options)
endfunction()

# The .cpp files of the calling folder for this platform, in `out`: a folder that
# talks to the operating system keeps one implementation file per platform beside
# its portable files, *Posix.cpp (and *Curl.cpp) for Linux, *Windows.cpp (and
# *WinInet.cpp) for Windows.
function(pk10_platform_sources out)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(WIN32)
        set(other_platform Posix Curl)
    else()
        set(other_platform Windows WinInet)
    endif()
    foreach(suffix ${other_platform})
        list(FILTER sources EXCLUDE REGEX "${suffix}\\.cpp$")
    endforeach()
    set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Adds a static library of the calling folder's .cpp files for this platform (see
# pk10_platform_sources).
function(pk10_platform_library name)
    pk10_platform_sources(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC pk10_options)
endfunction()
