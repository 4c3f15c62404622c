include(GoogleTest)

# iksa_add_test(<name> SOURCES ... LIBS ... [GUI])
# One GoogleTest executable per unit. GUI tests get a QApplication on the
# offscreen platform; all others a QCoreApplication. Every test runs in a
# fresh working directory below the build tree.
function(iksa_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE iksa_test_main_gui)
    else()
        target_link_libraries(${name} PRIVATE iksa_test_main_core)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} iksa_test_support GTest::gtest GTest::gmock)
    # Parameter values stay out of the test names: a value printed as raw
    # bytes would change the names between runs.
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   TIMEOUT 300)
endfunction()
