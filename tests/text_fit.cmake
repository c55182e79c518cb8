# The windows' texts measured at 100 %, 150 % and 200 % scaling, with the fonts the package
# depends on and with only DejaVu (the fonts of a system installed without recommendations),
# at 150 % in Fusion with a dark palette, and in each shipped translation at 100 % with either
# set of fonts.
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
# A run of the fit test: name, the fonts (installed or dejavu), then more environment.
function(vkr_text_fit name fonts)
    set(env ${test_env} VKR_FONTS=${fonts} ${ARGN})
    if(fonts STREQUAL dejavu)
        list(APPEND env FONTCONFIG_FILE=${dejavu_only})
    endif()
    add_test(NAME ${name} COMMAND text_fit)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()
foreach(fonts installed dejavu)
    foreach(scale 1 1.5 2)
        vkr_text_fit(text_fit_${fonts}_${scale} ${fonts} QT_SCALE_FACTOR=${scale})
    endforeach()
    foreach(lang de fi)
        vkr_text_fit(text_fit_${lang}_${fonts} ${fonts} VKR_LANG=${lang})
    endforeach()
endforeach()
vkr_text_fit(text_fit_dark_1.5 installed VKR_PALETTE=dark QT_SCALE_FACTOR=1.5)
