# Preset data, the lzma tool and the default database.
tavrin_add_test(test_presetdata
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_presetdata.cpp
    LIBS ostrel_impl
    TIMEOUT 60)
