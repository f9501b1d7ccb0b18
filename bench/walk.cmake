# bench/walk: the module's walker of the forwarding table.
add_executable(rq5160_bench_walk ${CMAKE_CURRENT_LIST_DIR}/walk.cpp)
target_link_libraries(rq5160_bench_walk PRIVATE rq5160_options rq5160_snmp)

# bench/walk-wan and bench/walk-lossy: a delaying and dropping UDP relay.
add_executable(rq5160_bench_relay ${CMAKE_CURRENT_LIST_DIR}/relay.cpp)
target_link_libraries(rq5160_bench_relay PRIVATE rq5160_options)
set_target_properties(rq5160_bench_relay PROPERTIES AUTOMOC OFF)
