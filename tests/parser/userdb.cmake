# The parser core: configuration, bit stream and CRC, the user-database dump, the
# parser state and the exported library.
foreach(t test_parserconfig test_bitstream test_userdbdump test_parserstate test_ostrelexports
        test_recordblocks)
    tavrin_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp LIBS ostrel_impl TIMEOUT 60)
    target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/parser ${CMAKE_CURRENT_LIST_DIR})
endforeach()
# Loads libostrel.so and the conf/ copy from the bin folder.
add_dependencies(test_ostrelexports ostrel)
