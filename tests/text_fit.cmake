# The windows' texts measured at 100 %, 150 % and 200 % scaling, with the fonts the package
# depends on and with only DejaVu (the fonts of a system installed without recommendations),
# and at 150 % in Fusion with a dark palette.
add_executable(text_fit ${CMAKE_CURRENT_SOURCE_DIR}/text_fit.cpp)
target_link_libraries(text_fit PRIVATE vkr_test_support)
target_compile_definitions(text_fit PRIVATE VKR_BINARY_DIR="${CMAKE_BINARY_DIR}")
set_target_properties(text_fit PROPERTIES AUTOMOC ON)

set(dejavu_only ${CMAKE_CURRENT_BINARY_DIR}/dejavu-only.conf)
file(WRITE ${dejavu_only}
     "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
     "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
     "  <cachedir>${CMAKE_CURRENT_BINARY_DIR}/fontconfig-cache</cachedir>\n"
     "  <include ignore_missing=\"yes\">/etc/fonts/conf.d/60-latin.conf</include>\n"
     "</fontconfig>\n")
foreach(fonts installed dejavu)
    foreach(scale 1 1.5 2)
        set(name text_fit_${fonts}_${scale})
        set(env ${test_env} VKR_FONTS=${fonts} QT_SCALE_FACTOR=${scale})
        if(fonts STREQUAL dejavu)
            list(APPEND env FONTCONFIG_FILE=${dejavu_only})
        endif()
        add_test(NAME ${name} COMMAND text_fit)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
    endforeach()
endforeach()
add_test(NAME text_fit_dark_1.5 COMMAND text_fit)
set_tests_properties(text_fit_dark_1.5 PROPERTIES
    ENVIRONMENT "${test_env};VKR_FONTS=installed;VKR_PALETTE=dark;QT_SCALE_FACTOR=1.5" TIMEOUT 120)
