# ravelo_windows_program(target): links the stand-ins for what the oldest Windows lacks
# (platform/win32), and after each link fails the build when the program imports a
# function outside the reviewed list of tools/check-imports.sh.
function(ravelo_windows_program target)
  target_link_libraries(${target} PRIVATE ravelo_runtime_floor)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
