# Libraries that only some commands need are loaded the first time one of their functions is
# called instead of at start-up: under Wine the file dialogs and the shell
# cost about 20 ms of every start when they are imported the usual way.
#
# MinGW links a delayed import through an import library made by dlltool from a module
# definition; cmake/delayload holds one per library, naming only the functions the program calls
# (with their 32-bit stdcall sizes, dropped for 64-bit builds): a call to any other function of
# these libraries fails to link until it is added there. Other compilers link them the usual way.
function(tess_delay_load target)
  if(NOT MINGW)
    foreach(dll IN LISTS ARGN)
      get_filename_component(stem ${dll} NAME_WE)
      target_link_libraries(${target} PUBLIC ${stem})
    endforeach()
    return()
  endif()
  find_program(TESS_DLLTOOL NAMES ${TESS_MINGW_PREFIX}-dlltool dlltool REQUIRED)
  set(out ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${out})
  foreach(dll IN LISTS ARGN)
    get_filename_component(stem ${dll} NAME_WE)
    set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${stem}.def)
    set(lib ${out}/lib${stem}_delay.a)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      file(READ ${def} text)
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")
      file(WRITE ${out}/${stem}.def "${text}")
      set(flags "")
    else()
      configure_file(${def} ${out}/${stem}.def COPYONLY)
      set(flags --kill-at)
    endif()
    # GNU ld drops the stub code of an import library member whose stub symbol (Foo) nothing
    # references, since a call through a dllimport declaration needs only the address slot
    # (__imp_Foo). That is right for an ordinary import, but in a delayed one the slot's first
    # value points into that dropped stub, at the code that loads the library: the slot is left
    # 0, and the first call jumps to address 0. The 32-bit linker does this (most of the Windows
    # headers declare these functions dllimport); the 64-bit one does not today. Naming every stub
    # as undefined keeps it on both.
    file(STRINGS ${def} functions REGEX "^[A-Za-z_][A-Za-z0-9_]*@[0-9]+$")
    foreach(fn IN LISTS functions)
      if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        string(REGEX REPLACE "@[0-9]+$" "" fn "${fn}")
        target_link_options(${target} PUBLIC "LINKER:-u,${fn}")
      else()
        target_link_options(${target} PUBLIC "LINKER:-u,_${fn}")
      endif()
    endforeach()
    add_custom_command(OUTPUT ${lib}
      COMMAND ${TESS_DLLTOOL} --input-def ${out}/${stem}.def --dllname ${dll} --output-delaylib ${lib} ${flags}
      DEPENDS ${out}/${stem}.def
      COMMENT "Delayed import library for ${dll}")
    add_custom_target(${stem}_delay DEPENDS ${lib})
    add_dependencies(${target} ${stem}_delay)
    target_link_libraries(${target} PUBLIC ${lib})
  endforeach()
  target_link_libraries(${target} PUBLIC delayimp)
endfunction()
