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

# What every piece of test code shares: flags, the precompiled headers, the
# support headers and where the data and the built programs are.
function(tavrin_test_code target)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON AUTOUIC ON)
    target_link_libraries(${target} PRIVATE Qt5::Widgets Qt5::Test tavrin_common_cfg)
    target_compile_options(${target} PRIVATE ${TAVRIN_TEST_FLAGS})
    tavrin_precompile(${target} tests)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    # Qt 5 declares QSKIP(statement, ...) and tests call it with the statement
    # alone, which clang's -pedantic reports at every call.
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        target_compile_options(${target} PRIVATE -Wno-gnu-zero-variadic-macro-arguments)
    endif()
    target_compile_definitions(${target} PRIVATE
        TAVRIN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        TAVRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        TAVRIN_BIN_DIR="${TAVRIN_BIN_DIR}")
endfunction()

# tavrin_add_test_support(<name> SOURCES <files...> LIBS <targets...>)
# A fixture that several test programs share, compiled once for all of them.
function(tavrin_add_test_support name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${T_SOURCES})
    tavrin_test_code(${name})
    target_link_libraries(${name} PUBLIC ${T_LIBS})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

function(tavrin_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    tavrin_test_code(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")
endfunction()
