# bench/walk: the module's walker of the forwarding table.
add_executable(rq5160_bench_walk ${CMAKE_CURRENT_LIST_DIR}/walk.cpp)
target_link_libraries(rq5160_bench_walk PRIVATE rq5160_options rq5160_snmp)
