# The install test, run by ctest as `cmake -P`: installs the build tree into WORK/prefix, checks what
# is there, then builds and runs the consumer project against it three ways: find_package, the
# pkg-config file, and add_subdirectory of the source tree. Inputs: BUILD, SOURCE, WORK, CXX.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${prefix})
run("install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

# What a user gets, and nothing of the inside: the headers of the implementation stay behind.
foreach(wanted include/tavrin/Tavrin.h include/tavrin/XPVScroll.h include/tavrin/app/Window.h
               include/tavrin/host/platform/software/Desktop.h bin/tavrin-run)
  if(NOT EXISTS ${prefix}/${wanted})
    message(FATAL_ERROR "not installed: ${wanted}")
  endif()
endforeach()
file(GLOB_RECURSE config ${prefix}/*/tavrinConfig.cmake)
file(GLOB_RECURSE pc ${prefix}/*/tavrin-app.pc)
file(GLOB_RECURSE inside ${prefix}/include/*FormValues.h ${prefix}/include/*RenderSupport.h
                         ${prefix}/include/*/Lexer.h ${prefix}/include/*TavrinAccess.h
                         ${prefix}/include/*Hosted.h ${prefix}/include/*XPVScrollAccess.h)
if(NOT config OR NOT pc OR inside)
  message(FATAL_ERROR "package files: config '${config}', pkg-config '${pc}', internal headers '${inside}'")
endif()

# find_package(tavrin CONFIG)
run("configure against the package" ${CMAKE_COMMAND} -S ${SOURCE}/tests/consumer -B ${WORK}/installed
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix})
run("build against the package" ${CMAKE_COMMAND} --build ${WORK}/installed)
run("the consumer built against the package" ${WORK}/installed/consumer ${WORK}/installed/consumer.png)

# pkg-config --cflags --libs tavrin-app
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  get_filename_component(pcdir ${pc} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pcdir})
  run("pkg-config" ${PKG_CONFIG} --cflags --libs tavrin-app)
  separate_arguments(flags UNIX_COMMAND "${output}")
  run("build with pkg-config" ${CXX} -std=c++20 ${SOURCE}/tests/consumer/consumer.cpp ${flags}
      -o ${WORK}/pc-consumer)
  run("the consumer built with pkg-config" ${WORK}/pc-consumer)
endif()

# add_subdirectory(tavrin): only the libraries build, unoptimised to keep this test short.
run("configure with the source tree" ${CMAKE_COMMAND} -S ${SOURCE}/tests/consumer -B ${WORK}/subdir
    -DCMAKE_CXX_COMPILER=${CXX} -DTAVRIN_SOURCE_DIR=${SOURCE})
run("build with the source tree" ${CMAKE_COMMAND} --build ${WORK}/subdir -j 2)
run("the consumer built with the source tree" ${WORK}/subdir/consumer)
message(STATUS "installed, found and built three ways")
