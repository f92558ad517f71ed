# The game program: command line, game start, main loop and shutdown over the platform layer.
find_package(CLI11 CONFIG REQUIRED)

# Command line, frame rate and the loading of pictures and sounds from the archive.
add_library(zarn_shell_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_rate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_loading.cpp)
target_include_directories(zarn_shell_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(zarn_shell_core PRIVATE ZARN_VERSION="${PROJECT_VERSION}")
target_link_libraries(zarn_shell_core
    PUBLIC zarn_platform zarn_view zarn_archive zarn_game
    PRIVATE CLI11::CLI11 zarn_warnings)

# The game start, the main loop and the shutdown: they need the game
# flow's frame.
if(NOT EXISTS ${CMAKE_SOURCE_DIR}/src/flow/game_frame.h)
    return()
endif()
add_library(zarn_shell_game STATIC ${CMAKE_CURRENT_LIST_DIR}/game_session.cpp)
target_link_libraries(zarn_shell_game PUBLIC zarn_shell_core PRIVATE zarn_warnings)

add_executable(zarn ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(zarn PRIVATE zarn_shell_game zarn_warnings)

# The game needs its archive beside it; the asset generator's target is defined after this file.
function(zarn_game_needs_resources)
    if(TARGET zarn_resources)
        add_dependencies(zarn zarn_resources)
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zarn_game_needs_resources)

# The startup dialog and the archive browser (Qt, dialog.cmake, included after this file) when they
# are in the tree; without them the game starts directly.
function(zarn_game_uses_dialog)
    if(TARGET zarn_dialog)
        target_link_libraries(zarn PRIVATE zarn_dialog)
        target_compile_definitions(zarn PRIVATE ZARN_HAS_DIALOG=1)
    endif()
endfunction()
cmake_language(DEFER CALL zarn_game_uses_dialog)
