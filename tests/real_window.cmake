# The one real-window test: the launcher under Xvfb.
add_test(NAME real_window COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke/real_window.sh
                                       ${CMAKE_BINARY_DIR})
set_tests_properties(real_window PROPERTIES RESOURCE_LOCK xvfb TIMEOUT 120)
