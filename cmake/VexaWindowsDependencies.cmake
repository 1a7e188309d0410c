# Dependencies of the Windows build, prepared by scripts/build-windows.sh in VEXA_WINDOWS_PREFIX:
# pugixml and googletest cross-built from Debian's sources, the header-only libraries copied from
# their Debian -dev packages. HTTP and crypto come from Windows itself (WinHTTP, BCrypt).

find_package(pugixml CONFIG REQUIRED)
if(VEXA_BUILD_TESTS)
    find_package(GTest CONFIG REQUIRED)
endif()

# The -dev packages' own CMake files point at the build machine's /usr/include, which must not
# reach a Windows compile line; these targets see only the copied headers.
function(vexa_header_only_target name)
    add_library(${name} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${VEXA_WINDOWS_PREFIX}/include")
endfunction()
vexa_header_only_target(nlohmann_json::nlohmann_json)
vexa_header_only_target(date::date)
if(VEXA_BUILD_TOOLS)
    vexa_header_only_target(CLI11::CLI11)
endif()
