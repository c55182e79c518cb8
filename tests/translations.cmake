# The translations: the catalogues against the code (lupdate over the sources), and the windows
# in the language chosen.
add_executable(catalogues ${CMAKE_CURRENT_SOURCE_DIR}/catalogues.cpp)
target_link_libraries(catalogues PRIVATE Qt6::Core Qt6::Test)
target_compile_definitions(catalogues PRIVATE VKR_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                              VKR_LUPDATE="$<TARGET_FILE:Qt6::lupdate>")
set_target_properties(catalogues PROPERTIES AUTOMOC ON)
vkr_register_test(catalogues)

# The user's language for the window test of translations.
set_tests_properties(gui_translations PROPERTIES ENVIRONMENT "${test_env};LANGUAGE=de")
