# Strict warnings for our own targets only; third-party sources keep their own.
function(vex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
