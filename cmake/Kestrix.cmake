# One static library per core folder keeps the layers honest: a core library
# links Qt Core/Gui only, so a widget header cannot be found from it.
function(kestrix_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(kestrix_${name} STATIC ${ARG_SOURCES})
    target_include_directories(kestrix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(kestrix_${name} PUBLIC Qt6::Core Qt6::Gui ${ARG_DEPENDS})
endfunction()

# A GoogleTest executable registered with CTest.
function(kestrix_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
