# Installs a build into an emptied prefix, so that a file left by an earlier
# install cannot stand in for one the build no longer installs.
# cmake -DBUILD_DIR=<build> -DPREFIX=<dir> -P install_fresh.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "installing ${BUILD_DIR} into ${PREFIX} failed")
endif()
