# The Qt half of the shell: the startup dialog (deck and options before a run) and the archive browser
# (zarn --pak-browser). Qt lives only in this library; it is never alive together with SDL.
#
#   startup_dialog.*          entry points the game's main calls: the dialog, the start-up error box
#   startup_dialog_window.*   the dialog itself: six tabs, deck options with previews, start and exit
#   startup_dialog_texts.*    the texts of the Keys, Rules, Credits, Licence and Options tabs
#   startup_dialog_preview.*  deck previews drawn from the card pictures of the resource archive
#   archive_browser.*         the archive browser window and its file-name helpers
#   dialog_qt_app.*           the QApplication each entry point owns for its own lifetime
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

add_library(zarn_dialog STATIC
    ${CMAKE_CURRENT_LIST_DIR}/startup_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_dialog_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_dialog_texts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_dialog_preview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/archive_browser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_qt_app.cpp)
set_target_properties(zarn_dialog PROPERTIES AUTOMOC ON)
target_include_directories(zarn_dialog PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(zarn_dialog PRIVATE
    ZARN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    ZARN_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    ZARN_VERSION_REVISION=${PROJECT_VERSION_PATCH})
target_link_libraries(zarn_dialog PUBLIC zarn_game zarn_archive Qt6::Widgets PRIVATE zarn_warnings)
