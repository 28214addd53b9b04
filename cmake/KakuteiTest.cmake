# kakutei_add_test(NAME SOURCES src... DEPENDS lib... [GUI] [ENVIRONMENT VAR=value...])
# One test program per call; its GoogleTest cases become ctest tests. GUI tests get a main that runs Qt on
# its offscreen platform, so they need no display (also while ctest lists them).
include(GoogleTest)
find_package(GTest REQUIRED)

function(kakutei_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;DEPENDS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_GUI)
        set(main kakutei_gui_test_main)
    else()
        set(main GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} kakutei_test_support GTest::gmock ${main})
    if(ARG_ENVIRONMENT)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_SUFFIX " [${ARG_ENVIRONMENT}]"
            PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
