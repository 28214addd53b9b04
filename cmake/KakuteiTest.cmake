# kakutei_add_test(NAME SOURCES src... DEPENDS lib... [GUI] [PORTABLE] [ENVIRONMENT VAR=value...])
# One test program per call; its GoogleTest cases become ctest tests. GUI tests get a main that runs Qt on
# its offscreen platform, so they need no display (also while ctest lists them). PORTABLE programs are also
# built for Windows, where each runs as one ctest test under Wine (starting Wine once per case would take
# minutes); the rest are for Linux only.
include(GoogleTest)
if(WIN32 AND CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest's sources, which build with the cross compiler like the program itself.
    set(KAKUTEI_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources for the Windows build")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${KAKUTEI_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

function(kakutei_add_test name)
    cmake_parse_arguments(ARG "GUI;PORTABLE" "" "SOURCES;DEPENDS;ENVIRONMENT" ${ARGN})
    if(WIN32 AND NOT ARG_PORTABLE)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_GUI)
        set(main kakutei_gui_test_main)
    else()
        set(main GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} kakutei_test_support GTest::gmock ${main})
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    elseif(ARG_ENVIRONMENT)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_SUFFIX " [${ARG_ENVIRONMENT}]"
            PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
