zarn_add_gtest(view_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/recording_canvas.cpp
        ${CMAKE_CURRENT_LIST_DIR}/blt_surface_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/bitmap_font_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/score_sheet_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/table_drawing_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/table_pixels_test.cpp
    LIBS zarn_view)
