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
