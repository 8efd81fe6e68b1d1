# Settings every target shares: link tavrin_common_cfg.
add_library(tavrin_common_cfg INTERFACE)
target_compile_options(tavrin_common_cfg INTERFACE -Wall -Wextra -pedantic)
# Only our own code: Qt and the other dependencies come in as imported targets,
# whose headers the compiler reads as system headers and does not warn about.
option(TAVRIN_WERROR "Treat compiler warnings in the project's own code as errors" ON)
if(TAVRIN_WERROR)
    target_compile_options(tavrin_common_cfg INTERFACE -Werror)
endif()
target_compile_definitions(tavrin_common_cfg INTERFACE
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DEPRECATED_WARNINGS)

# The fuzz build instruments everything for coverage and always runs the
# sanitizers; the harnesses themselves add libFuzzer's main (tests/fuzz).
option(TAVRIN_FUZZ "Build the libFuzzer harnesses (clang only)" OFF)
if(TAVRIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TAVRIN_FUZZ needs clang: configure with CC=clang CXX=clang++")
    endif()
    set(TAVRIN_SANITIZE ON)
    target_compile_options(tavrin_common_cfg INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Any undefined behaviour stops the program, so a test cannot pass over it.
if(TAVRIN_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(tavrin_common_cfg INTERFACE ${_san})
    target_link_options(tavrin_common_cfg INTERFACE ${_san})
endif()

# About half of a translation unit's compile time is parsing Qt's headers, so
# each group of targets reuses one precompiled copy of them: plain Qt Core,
# Qt Widgets, and the tests' own. A target reusing a header must be compiled
# with the same flags, which is why the tests have one of their own. GCC only:
# the fuzz build (clang) and clang-tidy read the sources as they are, which
# also shows a source that leans on the header for an include it lacks.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_library(tavrin_pch_core STATIC ${PROJECT_SOURCE_DIR}/cmake/precompiled.cpp)
    target_link_libraries(tavrin_pch_core PRIVATE Qt5::Core tavrin_common_cfg)
    target_precompile_headers(tavrin_pch_core PRIVATE <QtCore>)
    add_library(tavrin_pch_widgets STATIC ${PROJECT_SOURCE_DIR}/cmake/precompiled.cpp)
    target_link_libraries(tavrin_pch_widgets PRIVATE Qt5::Widgets tavrin_common_cfg)
    target_precompile_headers(tavrin_pch_widgets PRIVATE <QtWidgets>)
endif()

# tavrin_precompile(<target> core|widgets|tests)
function(tavrin_precompile target group)
    if(TARGET tavrin_pch_${group})
        target_precompile_headers(${target} REUSE_FROM tavrin_pch_${group})
    endif()
endfunction()
