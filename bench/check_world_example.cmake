# Runs quillmere_gen_world into the build folder and fails unless it writes the
# committed examples/world.kst and examples/world-plan.txt byte for byte.
#   cmake -DGENERATOR=... -DSOURCE_DIR=... -DWORK_DIR=... -P check_world_example.cmake
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${GENERATOR} ${WORK_DIR}/world.kst ${WORK_DIR}/world-plan.txt
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "quillmere_gen_world failed: ${result}")
endif()
foreach(name world.kst world-plan.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                          ${WORK_DIR}/${name} ${SOURCE_DIR}/examples/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "examples/${name} is not what quillmere_gen_world writes: run "
                        "tools/convert-example.sh (or the generator) and commit both files")
  endif()
endforeach()
