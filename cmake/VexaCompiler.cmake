# Compiler settings shared by every target of the project.

find_program(VEXA_CCACHE ccache)
if(VEXA_CCACHE)
    set(CMAKE_C_COMPILER_LAUNCHER "${VEXA_CCACHE}")
    set(CMAKE_CXX_COMPILER_LAUNCHER "${VEXA_CCACHE}")
endif()

# Warnings for the project's own code; third-party headers come in as SYSTEM includes.
add_library(vexa_warnings INTERFACE)
target_compile_options(vexa_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(VEXA_WARNINGS_AS_ERRORS)
    target_compile_options(vexa_warnings INTERFACE -Werror)
endif()
# GCC 12 at -O3 reports impossible overlaps inside std::string concatenation (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(vexa_warnings INTERFACE -Wno-restrict)
endif()

if(VEXA_SANITIZE)
    list(JOIN VEXA_SANITIZE "," _vexa_sanitizers)
    add_compile_options(-fsanitize=${_vexa_sanitizers} -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${_vexa_sanitizers})
    if("undefined" IN_LIST VEXA_SANITIZE)
        add_compile_options(-fno-sanitize-recover=undefined)
    endif()
    # GCC's flow analysis misreads sanitizer instrumentation (in <regex> and <functional> among
    # others) as uninitialised reads; the plain builds keep the warning.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-maybe-uninitialized)
    endif()
endif()

# Fuzzing: every library gets libFuzzer's coverage hooks and the sanitizers; the fuzz targets link
# libFuzzer's main (tests/fuzz).
if(VEXA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "VEXA_FUZZ needs clang (the fuzz preset sets it)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer -gline-tables-only)
    add_link_options(-fsanitize=address,undefined)
endif()
