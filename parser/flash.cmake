# Flash images: block tables, the preset block and the re-layout on save.
target_sources(ostrel_impl PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/flashbuilder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/flashimage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/flashlayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/flashpresetcodec.cpp
)
