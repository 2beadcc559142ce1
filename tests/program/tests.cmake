client_add_test(program program $<TARGET_FILE:Client> --gtest_filter=-*Cp936*)
# The client renames itself after its Chinese display name.
client_add_test(program_cp936 program $<TARGET_FILE:Client> --gtest_filter=*Cp936*)
set_property(TEST program_cp936 APPEND PROPERTY ENVIRONMENT "LC_ALL=zh_CN.GB2312")
