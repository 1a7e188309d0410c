# vexa_add_test(<name> SOURCES ... [LIBS ...] [LABELS unit|integration ...])
#
# One GoogleTest executable per area; every test case becomes its own CTest test so that
# `ctest -L unit` and `ctest -L integration` select what they say.
include(GoogleTest)

function(vexa_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest GTest::gtest_main vexa_warnings)
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        NO_PRETTY_VALUES
        PROPERTIES LABELS "${ARG_LABELS}"
        DISCOVERY_TIMEOUT 60)
endfunction()
