# The X probe of bench/freeze.
pkg_check_modules(XCB IMPORTED_TARGET xcb)
if(XCB_FOUND)
    add_executable(rq5160-freeze-probe ${CMAKE_CURRENT_LIST_DIR}/freeze_probe.cpp)
    target_link_libraries(rq5160-freeze-probe PRIVATE PkgConfig::XCB)
endif()
