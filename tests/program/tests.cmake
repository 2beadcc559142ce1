client_add_test(program program $<TARGET_FILE:Client>)
