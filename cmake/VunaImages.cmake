# vuna_copy_images(<target>): copies the images Vuna reads at run time beside the target's
# executable after every build, so that the program finds them when started from its own folder
# (the working directory is where the toolkit looks unless the program names another folder).
# VUNA_IMAGE_DIR names the folder they are copied from: the source tree's assets/ within a build,
# share/vuna once installed.
function(vuna_copy_images target)
  get_property(dir GLOBAL PROPERTY VUNA_IMAGE_DIR)
  if(NOT dir)
    set(dir ${VUNA_IMAGE_DIR})
  endif()
  file(GLOB images ${dir}/*.tga)
  if(NOT images)
    message(FATAL_ERROR "vuna_copy_images: no images in '${dir}'")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${images} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
