# ravelo_check_imports(target): after each link, fails the build when the
# program imports a DLL that not every Windows has (libstdc++, libgcc,
# winpthread, ...): the programs must run from a bare folder.
function(ravelo_check_imports target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
