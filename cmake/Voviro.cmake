# Shared build settings and the helper that makes one core library per subsystem folder.

if(VOVIRO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VOVIRO_FUZZ)
  # Coverage instrumentation for the libraries the fuzz targets call.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VOVIRO_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

function(voviro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# voviro_core_library(name folder deps...): every .cpp directly in the folder (not in ui/).
function(voviro_core_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
  voviro_warnings(${name})
endfunction()
