# tavrin_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# One Qt Test executable registered with CTest, run offscreen with a fixed
# locale, and told where the test data and the built programs are.
# Test code needs neither optimising nor full debug information (the code it
# tests keeps the build's flags), and both cost more to compile than they are
# worth here. Every test links Qt Widgets, so that the macros the shared
# header depends on agree in all of them.
set(TAVRIN_TEST_FLAGS -O0 -g1)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_library(tavrin_pch_tests STATIC ${PROJECT_SOURCE_DIR}/cmake/precompiled.cpp)
    target_link_libraries(tavrin_pch_tests PRIVATE Qt5::Widgets Qt5::Test tavrin_common_cfg)
    target_compile_options(tavrin_pch_tests PRIVATE ${TAVRIN_TEST_FLAGS})
    target_precompile_headers(tavrin_pch_tests PRIVATE <QtTest> <QtWidgets>)
endif()

function(tavrin_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON AUTOUIC ON)
    target_link_libraries(${name} PRIVATE ${T_LIBS} Qt5::Widgets Qt5::Test tavrin_common_cfg)
    target_compile_options(${name} PRIVATE ${TAVRIN_TEST_FLAGS})
    tavrin_precompile(${name} tests)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    # Qt 5 declares QSKIP(statement, ...) and tests call it with the statement
    # alone, which clang's -pedantic reports at every call.
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        target_compile_options(${name} PRIVATE -Wno-gnu-zero-variadic-macro-arguments)
    endif()
    target_compile_definitions(${name} PRIVATE
        TAVRIN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        TAVRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        TAVRIN_BIN_DIR="${TAVRIN_BIN_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")
endfunction()
