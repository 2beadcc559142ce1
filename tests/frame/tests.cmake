# A stand-in for a downloaded client update that leaves a marker.
add_executable(frame_update_marker ${CMAKE_CURRENT_SOURCE_DIR}/frame/update/UpdateMarker.cpp)
target_link_options(frame_update_marker PRIVATE -municode)
add_dependencies(test_frame frame_update_marker)
target_compile_definitions(test_frame PRIVATE UPDATE_MARKER_PROGRAM="$<TARGET_FILE:frame_update_marker>")
client_add_test(frame frame)
