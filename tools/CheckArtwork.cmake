# Runs the artwork generator into an empty folder and compares its images with assets/, byte for
# byte: the font sheets (the designed one and the two Latin-1 ones) and the eight control images
# of each theme (the dark ones end in _dark), each at its own size and at twice it (_2x).
# Run with -DGENERATOR=... -DASSETS=... -DOUTPUT=... -P CheckArtwork.cmake.
set(base_images
  font_arial.tga font_latin1_bold.tga font_latin1_regular.tga
  checkbox.tga checkboxchecked.tga
  radio.tga radiochecked.tga
  closebutton.tga closebutton_down.tga
  maximizebutton.tga maximizebutton_down.tga
  checkbox_dark.tga checkboxchecked_dark.tga
  radio_dark.tga radiochecked_dark.tga
  closebutton_dark.tga closebutton_down_dark.tga
  maximizebutton_dark.tga maximizebutton_down_dark.tga)
set(images ${base_images})
foreach(image IN LISTS base_images)
  string(REPLACE ".tga" "_2x.tga" double ${image})
  list(APPEND images ${double})
endforeach()

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
