# The header-only libraries of the Windows cross build. nlohmann-json is Debian's
# host package (/usr/include); the cross compiler must not search /usr/include
# itself, where the host's C library lives, so it is offered through a folder of
# the build tree that holds it alone. Debian's libcpp-httplib-dev is a header of
# declarations for its Linux library; the whole header of the same version comes
# from its source package (scripts/install-windows-deps.sh unpacks it).
set(pk10_host_headers ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${pk10_host_headers})

set(PK10_HTTPLIB_SOURCE /usr/src/cpp-httplib CACHE PATH "cpp-httplib's whole header (httplib.h)")
find_file(PK10_HTTPLIB_HEADER httplib.h PATHS ${PK10_HTTPLIB_SOURCE} NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
configure_file(${PK10_HTTPLIB_HEADER} ${pk10_host_headers}/httplib.h COPYONLY)
find_path(PK10_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(CREATE_LINK ${PK10_NLOHMANN_DIR}/nlohmann ${pk10_host_headers}/nlohmann SYMBOLIC)

# cpp-httplib on Windows sockets, without TLS or compression (the programs speak
# plain HTTP to 127.0.0.1).
add_library(pk10_httplib INTERFACE)
target_include_directories(pk10_httplib SYSTEM INTERFACE ${pk10_host_headers})
target_link_libraries(pk10_httplib INTERFACE ws2_32)

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${pk10_host_headers}
    INTERFACE_INCLUDE_DIRECTORIES ${pk10_host_headers})
