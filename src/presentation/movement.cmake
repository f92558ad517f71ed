# Card movement and table layout: pure game logic, part of zarn_game.
target_sources(zarn_game PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/card_movement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/table_layout.cpp)
