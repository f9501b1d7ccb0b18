# The module's TFTP server on its own, for bench/tftp.
add_executable(rq5160-tftp-bench-server ${CMAKE_CURRENT_LIST_DIR}/tftp_server.cpp)
target_link_libraries(rq5160-tftp-bench-server PRIVATE rq5160_options rq5160_files)
