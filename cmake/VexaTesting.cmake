# vexa_add_test(<name> SOURCES ... [LIBS ...] [LABELS unit|integration ...] [COMMA_LOCALE])
#
# One GoogleTest executable per area; every test case becomes its own CTest test so that
# `ctest -L unit` and `ctest -L integration` select what they say. COMMA_LOCALE tests may switch the
# process to de_DE.UTF-8 (decimal comma), built once per build tree by the comma_locale fixture.
include(GoogleTest)

# The one setup test of the comma_locale fixture; defined in the top directory, whatever adds tests.
function(vexa_comma_locale_fixture)
    set(dir "${CMAKE_BINARY_DIR}/locale")
    # localedef warns about the source's C compliance and exits 1 even though it wrote the locale.
    if(WIN32)
        return()
    endif()
    add_test(NAME comma_locale.build
             COMMAND sh -c "mkdir -p '${dir}' && { localedef -c -i de_DE -f UTF-8 '${dir}/de_DE.UTF-8' || test -f '${dir}/de_DE.UTF-8/LC_NUMERIC'; }")
    set_tests_properties(comma_locale.build PROPERTIES FIXTURES_SETUP comma_locale LABELS unit)
endfunction()

function(vexa_add_test name)
    cmake_parse_arguments(ARG "COMMA_LOCALE" "" "SOURCES;LIBS;LABELS" ${ARGN})
    # The Windows C runtime has no locale with a decimal comma to switch to: not built, not run.
    if(ARG_COMMA_LOCALE AND WIN32)
        add_executable(${name} EXCLUDE_FROM_ALL ${ARG_SOURCES})
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest GTest::gtest_main vexa_warnings)
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    # Under Wine every process start is costly: one CTest test per executable, not per case.
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
        return()
    endif()
    set(properties LABELS "${ARG_LABELS}")
    if(ARG_COMMA_LOCALE)
        list(APPEND properties ENVIRONMENT "LOCPATH=${CMAKE_BINARY_DIR}/locale" FIXTURES_REQUIRED comma_locale)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        NO_PRETTY_VALUES
        PROPERTIES ${properties}
        DISCOVERY_TIMEOUT 60)
endfunction()
