client_add_test(app app --gtest_filter=-*Cp936*)
client_add_test(app_cp936 app --gtest_filter=*Cp936*)
set_property(TEST app_cp936 APPEND PROPERTY ENVIRONMENT "LC_ALL=zh_CN.GB2312")
