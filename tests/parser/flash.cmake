# Flash images: block tables, the preset block and the re-layout.
tavrin_add_test(test_flashimage SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_flashimage.cpp
    LIBS ostrel_impl TIMEOUT 30)
tavrin_add_test(test_flashlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_flashlayout.cpp
    LIBS ostrel_impl TIMEOUT 30)
tavrin_add_test(test_flashsample SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_flashsample.cpp
    LIBS ostrel_impl TIMEOUT 60)
if(TARGET lzma)
    add_dependencies(test_flashsample lzma)
endif()
get_filename_component(_flash_sample ${CMAKE_CURRENT_LIST_DIR}/../../samples/factory.abs ABSOLUTE)
target_compile_definitions(test_flashsample PRIVATE FLASH_SAMPLE="${_flash_sample}")
