# Every tests/netns_*.cpp broadcasts, so it runs inside a network namespace of its own
# (support/net_namespace.sh): no datagram of it ever leaves the machine. Skipped with a message
# where no namespace can be made.
file(GLOB netns_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/netns_*.cpp)
foreach(src ${netns_tests})
    get_filename_component(name ${src} NAME_WE)
    vkr_add_qt_test(${name} ${src})
    add_test(NAME ${name} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/support/net_namespace.sh
                                  $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${test_env}" SKIP_RETURN_CODE 77
                                            TIMEOUT 300)
endforeach()
