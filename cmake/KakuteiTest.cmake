# kakutei_add_test(NAME SOURCES src... DEPENDS lib... [GUI])
# One test program per call; its GoogleTest cases become ctest tests. GUI tests run on Qt's offscreen
# platform so that they need no display.
include(GoogleTest)
find_package(GTest REQUIRED)

function(kakutei_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set(env "KAKUTEI_TEST=1")
    if(ARG_GUI)
        # The GUI main sets the offscreen platform itself, so test discovery needs no display either.
        set(main kakutei_gui_test_main)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    else()
        set(main GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} kakutei_test_support GTest::gmock ${main})
    list(APPEND env "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
    gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "${env}" DISCOVERY_TIMEOUT 60)
endfunction()
