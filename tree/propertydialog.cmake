# The property dialog that edits one satellite, TP or programme.
target_sources(tavrin_tree PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/favouritemaskeditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/myvarianteditorfactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qpropertydialog.cpp)
target_link_libraries(tavrin_tree PUBLIC tavrin_propertybrowser)
