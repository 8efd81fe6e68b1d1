# Preset data, the lzma tool and the default database.
tavrin_add_test(test_presetdata
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_presetdata.cpp
    LIBS ostrel_impl
    TIMEOUT 60)

# Runs the built tool (and the system's lzma_alone), so it needs the tool first.
tavrin_add_test(test_lzmatool
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_lzmatool.cpp
    LIBS Qt5::Core
    TIMEOUT 120)
add_dependencies(test_lzmatool lzma)

tavrin_add_test(test_externaltool
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_externaltool.cpp
    LIBS ostrel_impl
    TIMEOUT 60)
add_dependencies(test_externaltool lzma)

tavrin_add_test(test_presetdatabase
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_presetdatabase.cpp
    LIBS ostrel_impl
    TIMEOUT 60)
add_dependencies(test_presetdatabase lzma)
