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

# The game start, the main loop and the shutdown.
add_library(zarn_shell_game STATIC ${CMAKE_CURRENT_LIST_DIR}/game_session.cpp)
target_link_libraries(zarn_shell_game PUBLIC zarn_shell_core PRIVATE zarn_warnings)

# zarn_dialog (dialog.cmake) and zarn_resources (the asset generator, which writes the archive the game
# needs beside it) are defined later; targets resolve when the build is generated.
add_executable(zarn ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(zarn PRIVATE zarn_shell_game zarn_dialog zarn_warnings)
add_dependencies(zarn zarn_resources)
