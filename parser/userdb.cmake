# The configuration reader, the bit stream, the CRC and the user-database dump.
target_sources(ostrel_impl PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/bitstream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/crc32mpeg2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parserconfig.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parserstate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/triggers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/userdbdump.cpp
)
