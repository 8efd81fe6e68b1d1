# The editor program: main window, dialogs and crash handler as a static
# library the tests link, and a thin executable around it.
add_library(tavrin_crashhandler STATIC crashhandler.cpp)
target_include_directories(tavrin_crashhandler PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tavrin_crashhandler PRIVATE tavrin_common_cfg)

if(TARGET tavrin_tree AND TARGET tavrin_programs)
    add_library(tavrin_gui STATIC
        dialogs.cpp
        flashcustomchosedialog.cpp
        flashcustomchosedialog.ui
        tavrin.cpp
        tavrin.ui
        ${PROJECT_SOURCE_DIR}/resources/tavrin.qrc
    )
    set_target_properties(tavrin_gui PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
    target_include_directories(tavrin_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(tavrin_gui
        PUBLIC tavrin_tree tavrin_programs tavrin_core tavrin_crashhandler Qt5::Widgets
        PRIVATE tavrin_common_cfg)

    add_executable(Tavrin main.cpp opentiming.cpp)
    target_link_libraries(Tavrin PRIVATE tavrin_gui tavrin_common_cfg)
    if(TARGET ostrel)
        add_dependencies(Tavrin ostrel)
    endif()
endif()
