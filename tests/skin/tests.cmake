# The built-in skin's texts are GB2312; the code page comes from the Unix
# locale Wine starts under.
client_add_test(skin skin --gtest_filter=-*Cp936*)
client_add_test(skin_cp936 skin --gtest_filter=*Cp936*)
set_property(TEST skin_cp936 APPEND PROPERTY ENVIRONMENT "LC_ALL=zh_CN.GB2312")
