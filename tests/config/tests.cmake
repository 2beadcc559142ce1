# The code page comes from the Unix locale Wine starts under.
client_add_test(config config --gtest_filter=-*Cp936*:*Cp1252*)
client_add_test(config_cp936 config --gtest_filter=*Cp936*)
set_property(TEST config_cp936 APPEND PROPERTY ENVIRONMENT "LC_ALL=zh_CN.GB2312")
client_add_test(config_cp1252 config --gtest_filter=*Cp1252*)
set_property(TEST config_cp1252 APPEND PROPERTY ENVIRONMENT "LC_ALL=C")
