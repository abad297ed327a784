# Warnings, -Werror and sanitizers are usage of each target, never global flags. Every target
# of the project also reads the source folders by their own names ("core/VWidget.h"); programs
# outside it include <vuna/...> instead.
function(vuna_target_options target)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(VUNA_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(VUNA_SANITIZE)
      target_compile_options(${target} PRIVATE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
      target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
  endif()
endfunction()

# The target's sources reach GL through the toolkit's GL layer (draw/VGLCalls.h, read first):
# their GL 1.x calls then draw on a core-profile or ES context too. The library's own sources
# do; so do the tests that draw beside the toolkit, so that they run on every context.
function(vuna_through_gl_layer target)
  target_compile_options(${target} PRIVATE "SHELL:-include ${PROJECT_SOURCE_DIR}/draw/VGLCalls.h")
endfunction()
