# ravelo_windows_program(target): links the stand-ins for what the oldest Windows lacks
# (platform/win32), and after each link fails the build when the program imports a
# function outside the reviewed list of tools/check-imports.sh, or when its embedded
# manifest does not ask to run as its invoker (tools/check-manifest.sh).
function(ravelo_windows_program target)
  target_link_libraries(${target} PRIVATE ravelo_runtime_floor)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check-manifest.sh $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
