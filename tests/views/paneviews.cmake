# The tile palette and the source bitmap view, driven through their windows.
pellin_add_test(paneviews_tests
  ${CMAKE_CURRENT_LIST_DIR}/tileview_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmpview_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../core/bmpwriter.cpp
)
target_include_directories(paneviews_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/../core)
target_link_libraries(paneviews_tests PRIVATE pellin_test_support pellin_editor Qt6::Test)
