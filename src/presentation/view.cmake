# The drawing half: clipped copies, bitmap fonts, the table and the score sheet, all through the
# Canvas seam. No SDL and no Qt here, so tests draw into memory.
add_library(zarn_view STATIC
    ${CMAKE_CURRENT_LIST_DIR}/blt_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memory_canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/score_sheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/table_drawing.cpp)
target_link_libraries(zarn_view PUBLIC zarn_game PRIVATE zarn_warnings)
