# Runs the artwork generator into an empty folder and compares its images with assets/, byte for
# byte: the font sheet and the eight control images of each theme (the dark ones end in _dark).
# Run with -DGENERATOR=... -DASSETS=... -DOUTPUT=... -P CheckArtwork.cmake.
set(images
  font_arial.tga
  checkbox.tga checkboxchecked.tga
  radio.tga radiochecked.tga
  closebutton.tga closebutton_down.tga
  maximizebutton.tga maximizebutton_down.tga
  checkbox_dark.tga checkboxchecked_dark.tga
  radio_dark.tga radiochecked_dark.tga
  closebutton_dark.tga closebutton_down_dark.tga
  maximizebutton_dark.tga maximizebutton_down_dark.tga)

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()

set(differing "")
foreach(image IN LISTS images)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${image} ${ASSETS}/${image}
    RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differing ${image})
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "generated images differ from assets/: ${differing}")
endif()
list(LENGTH images count)
message(STATUS "all ${count} images match assets/")
