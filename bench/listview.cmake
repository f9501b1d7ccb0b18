# Fills a list view with a walked table through the binding, against the bare walk.
add_executable(rq5160-listview-bench ${CMAKE_CURRENT_LIST_DIR}/listview.cpp)
target_link_libraries(rq5160-listview-bench PRIVATE rq5160_options rq5160_binding)
