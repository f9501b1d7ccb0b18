# Basic Information against a switch that does not answer, for bench/freeze.
add_executable(rq5160-dialog-freeze ${CMAKE_CURRENT_LIST_DIR}/dialog_freeze.cpp)
target_link_libraries(rq5160-dialog-freeze PRIVATE rq5160_app)
