# A stand-in plug-in installer that the plug-in check starts.
add_executable(config_marker_installer ${CMAKE_CURRENT_SOURCE_DIR}/config/installer/MarkerInstaller.cpp)
target_link_options(config_marker_installer PRIVATE -municode)
add_dependencies(test_config config_marker_installer)
target_compile_definitions(test_config PRIVATE MARKER_INSTALLER="$<TARGET_FILE:config_marker_installer>")

# The code page comes from the Unix locale Wine starts under.
client_add_test(config config --gtest_filter=-*Cp936*:*Cp1252*)
client_add_test(config_cp936 config --gtest_filter=*Cp936*)
set_property(TEST config_cp936 APPEND PROPERTY ENVIRONMENT "LC_ALL=zh_CN.GB2312")
client_add_test(config_cp1252 config --gtest_filter=*Cp1252*)
set_property(TEST config_cp1252 APPEND PROPERTY ENVIRONMENT "LC_ALL=C.UTF-8")
