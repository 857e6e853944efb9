# Compiles narrow string literals to Windows-1251 with either compiler.
#
# g++ converts literals itself (-fexec-charset=CP1251). clang only knows UTF-8 as an
# execution charset, so for clang every source file is first recoded to Windows-1251
# by iconv into the build tree and compiled from there; string literals then carry
# the Windows-1251 bytes unchanged.

function(veltran_sources target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_sources(${target} PRIVATE ${ARGN})
    target_compile_options(${target} PRIVATE -fexec-charset=CP1251)
    return()
  endif()
  find_program(ICONV iconv REQUIRED)
  set(out_files)
  foreach(src IN LISTS ARGN)
    get_filename_component(abs ${src} ABSOLUTE)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${abs})
    set(out ${CMAKE_BINARY_DIR}/cp1251/${rel})
    get_filename_component(out_dir ${out} DIRECTORY)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${ICONV} -c -f UTF-8 -t CP1251 ${abs} -o ${out}
      DEPENDS ${abs} VERBATIM)
    list(APPEND out_files ${out})
  endforeach()
  target_sources(${target} PRIVATE ${out_files})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -Wno-invalid-source-encoding)
endfunction()
