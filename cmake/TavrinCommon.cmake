# Settings every target shares: link tavrin_common_cfg.
add_library(tavrin_common_cfg INTERFACE)
target_compile_options(tavrin_common_cfg INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(tavrin_common_cfg INTERFACE
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DEPRECATED_WARNINGS)

if(TAVRIN_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(tavrin_common_cfg INTERFACE ${_san})
    target_link_options(tavrin_common_cfg INTERFACE ${_san})
endif()
