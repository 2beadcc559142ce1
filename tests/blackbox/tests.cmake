# Black-box tests: the built client run as a whole under Wine and driven
# from outside by tests/blackbox/run_blackbox.py, with real input through
# xdotool and a probe program that reads windows and the registry.

add_executable(blackbox_probe ${CMAKE_CURRENT_SOURCE_DIR}/blackbox/probe/WindowProbe.cpp)
target_link_libraries(blackbox_probe PRIVATE ole32 shell32 psapi uuid)

# The update program the demo portal serves; it leaves a marker when it runs.
add_executable(ClientUpdate WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/blackbox/update/UpdateMarker.cpp)
target_link_options(ClientUpdate PRIVATE -municode)

# A branded build for the tests, made the way a publisher brands one: a
# folder with its own config.xml, whatever it lacks taken from res/. Its
# documents name a login service, a version record and a login page on the
# demo portal. The port is derived from the build tree, so that test runs in
# different build trees on one machine do not meet.
string(MD5 build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${build_hash}" 0 4 build_hash)
math(EXPR derived_port "20000 + 0x${build_hash} % 20000")
set(BLACKBOX_PORT ${derived_port} CACHE STRING "Port of the demo portal for the black-box test build")
set(BLACKBOX_BRAND_DIR ${CMAKE_CURRENT_BINARY_DIR}/blackbox-brand)
set(BLACKBOX_BRAND_DOCS ${BLACKBOX_BRAND_DIR}/config.xml ${BLACKBOX_BRAND_DIR}/skin.xml)
add_custom_command(OUTPUT ${BLACKBOX_BRAND_DOCS}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_documents.py ${BLACKBOX_BRAND_DIR} ${BLACKBOX_PORT}
    "--set=userInfoUrl=http://127.0.0.1:{port}/api/userinfo.php?sid=%s+re=%d+t=%d+sign=%s"
    "--set=pwKey=blackbox-key-31"
    "--set=configParam=http://127.0.0.1:{port}/api/version.xml"
    "--set=loginCheck=/portal/login.php"
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_documents.py
  VERBATIM)
add_custom_target(blackbox_brand_documents DEPENDS ${BLACKBOX_BRAND_DOCS})

file(GLOB blackbox_res_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/png/*.png)
add_library(blackbox_brand_res OBJECT ${CLIENT_RC})
target_include_directories(blackbox_brand_res PRIVATE ${BLACKBOX_BRAND_DIR} ${CMAKE_SOURCE_DIR}/res)
add_dependencies(blackbox_brand_res blackbox_brand_documents)
set_source_files_properties(${CLIENT_RC} PROPERTIES OBJECT_DEPENDS
  "${BLACKBOX_BRAND_DOCS};${blackbox_res_files};${CMAKE_SOURCE_DIR}/res/resource.h")
add_executable(Client_blackbox WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp $<TARGET_OBJECTS:blackbox_brand_res>)
target_link_libraries(Client_blackbox PRIVATE clientcore)
target_link_options(Client_blackbox PRIVATE -municode)

add_test(NAME blackbox
  COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/blackbox/run_blackbox.py
    --client $<TARGET_FILE:Client>
    --brand-client $<TARGET_FILE:Client_blackbox>
    --brand-config ${BLACKBOX_BRAND_DIR}/config.xml
    --probe $<TARGET_FILE:blackbox_probe>
    --update-program $<TARGET_FILE:ClientUpdate>
    --work ${CMAKE_CURRENT_BINARY_DIR}/blackbox-runs)
set_tests_properties(blackbox PROPERTIES ENVIRONMENT "${TEST_ENVIRONMENT}" TIMEOUT 900)
