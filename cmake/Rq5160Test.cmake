# rq5160_add_test(NAME <tst_unit> SOURCES ... LIBS ... LABELS ... [TIMEOUT s])
# One QtTest executable registered with CTest. It runs offscreen, and HOME,
# XDG_RUNTIME_DIR and net-snmp's folders point into the build tree so a test
# run writes nothing outside it.
function(rq5160_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE rq5160_options Qt6::Test ${T_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE
        RQ5160_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        RQ5160_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(home ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.home)
    file(MAKE_DIRECTORY ${home} ${home}/runtime ${home}/snmp)
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        LABELS "${T_LABELS}"
        WORKING_DIRECTORY ${home}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_RUNTIME_DIR=${home}/runtime;XDG_CONFIG_HOME=${home}/config;XDG_CONFIG_DIRS=${home}/xdg;SNMP_PERSISTENT_DIR=${home}/snmp;SNMPCONFPATH=${home}/snmp")
endfunction()
