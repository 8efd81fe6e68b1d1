# Flash images: block tables, the preset block and the re-layout.
tavrin_add_test(test_flashimage SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_flashimage.cpp
    LIBS ostrel_impl TIMEOUT 30)
tavrin_add_test(test_flashlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_flashlayout.cpp
    LIBS ostrel_impl TIMEOUT 30)
