# Embeds form descriptions (*.form, converted to the binary form by zkformconv at
# build time) and images into a library, with a function that registers them:
#   zk_embed_resources(TARGET zk_dialogs FUNCTION RegisterDialogResources
#                      FORMS ZkTDateEditor.form BITMAPS MINUSSIGN.bmp)
# A form is registered as "RCDATA" under its class name (from its first line),
# an image as "BITMAP" under its file name without extension, both upper case.
set(ZK_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)
# The converter: the tree's own target, or the installed one (set by zkConfig.cmake).
if(NOT ZK_FORMCONV)
  set(ZK_FORMCONV zkformconv)
endif()

function(zk_embed_resources)
  cmake_parse_arguments(ARG "" "TARGET;FUNCTION" "FORMS;BITMAPS" ${ARGN})
  set(entries)
  set(depends)
  foreach(form ${ARG_FORMS})
    get_filename_component(abs ${form} ABSOLUTE)
    get_filename_component(base ${form} NAME_WE)
    set(bin ${CMAKE_CURRENT_BINARY_DIR}/resources/${base}.bin)
    file(STRINGS ${abs} first_line LIMIT_COUNT 1 REGEX "^[ \t]*(object|inherited|inline)")
    string(REGEX MATCH "[A-Za-z_][A-Za-z0-9_]*[ \t]*$" class_name "${first_line}")
    string(STRIP "${class_name}" class_name)
    string(TOUPPER "${class_name}" res_name)
    add_custom_command(OUTPUT ${bin}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/resources
      COMMAND ${ZK_FORMCONV} t2b ${abs} ${bin}
      DEPENDS ${ZK_FORMCONV} ${abs}
      COMMENT "Converting form ${base}"
      VERBATIM)
    list(APPEND entries "RCDATA|${res_name}|${bin}")
    list(APPEND depends ${bin})
  endforeach()
  foreach(image ${ARG_BITMAPS})
    get_filename_component(abs ${image} ABSOLUTE)
    get_filename_component(base ${image} NAME_WE)
    string(TOUPPER "${base}" res_name)
    list(APPEND entries "BITMAP|${res_name}|${abs}")
    list(APPEND depends ${abs})
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${ARG_FUNCTION}.cpp)
  string(REPLACE ";" "," entries_arg "${entries}")
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DFUNCTION=${ARG_FUNCTION} "-DENTRIES=${entries_arg}" -P ${ZK_EMBED_SCRIPT}
    DEPENDS ${depends} ${ZK_EMBED_SCRIPT}
    COMMENT "Embedding resources for ${ARG_TARGET}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${out})
endfunction()
