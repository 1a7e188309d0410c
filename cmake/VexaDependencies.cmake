# Third-party libraries, all from Debian 12 packages (scripts/setup.sh installs them).

find_package(Threads REQUIRED)
if(WIN32)
    include(VexaWindowsDependencies)
    return()
endif()
find_package(nlohmann_json 3.10 REQUIRED)
find_package(CURL REQUIRED)
find_package(OpenSSL REQUIRED)
find_package(pugixml REQUIRED)
find_package(date CONFIG REQUIRED)

if(VEXA_BUILD_TOOLS)
    find_package(CLI11 CONFIG REQUIRED)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
endif()

if(VEXA_BUILD_TESTS)
    find_package(GTest REQUIRED)
endif()

if(VEXA_BUILD_BENCHMARKS)
    find_package(benchmark REQUIRED)
endif()
