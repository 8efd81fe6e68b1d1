# Preset data, the lzma tool runner and the default database.
target_sources(ostrel_impl PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/presetdata.cpp
    ${CMAKE_CURRENT_LIST_DIR}/externaltool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/defaultdatabase.cpp
)
