# libostrel.so: the entry points the editor resolves at run time, and nothing else.
add_library(ostrel SHARED ${CMAKE_CURRENT_LIST_DIR}/exports.cpp)
target_link_libraries(ostrel PRIVATE ostrel_impl Qt5::Core tinyxml2::tinyxml2 tavrin_common_cfg)
set_target_properties(ostrel PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
# The static implementation's symbols stay private to the library.
target_link_options(ostrel PRIVATE -Wl,--exclude-libs,ALL -Wl,--no-undefined)
