# The source folders as layers: one static library per folder, linked in layer order, each compiled
# against include roots that hold only the headers it may use, so an include that breaks the
# layering fails to compile. For a folder F (TESS_LAYERS lists them, lowest first):
#
#   layer_F        src/F/*.cpp, portable. Links the library of the folder below F, so it sees the
#                  headers of src/G/ for every G at or below F (and src/resources/, ids without
#                  code, which any layer may use); never a win32/ header.
#   layer_F_win32  src/F/win32/*.cpp, Windows builds only. Links layer_F and layer_platform_win32,
#                  the window base everyone's window code builds on, so it sees its own win32/
#                  headers and platform's; the other folders' window code is private to them.
#                  layer_app_win32 links every one of them: app wires the windows together.
#
# An include root is a folder layers/<name>/ in the build tree holding links to the headers of one
# src/ folder, made afresh at each configure. The glob below makes a build configure again when a
# source file is added or removed.
#
# The compiler looks for a quoted include beside the including file before it tries any root:
# scripts/check-layers.sh refuses includes written that way, which no root can stop.

set(tess_src ${PROJECT_SOURCE_DIR}/src)
file(GLOB_RECURSE tess_files CONFIGURE_DEPENDS RELATIVE ${tess_src} ${tess_src}/*.h ${tess_src}/*.cpp)

# A file outside the layer folders would be compiled into no library, or seen by none.
list(JOIN TESS_LAYERS "|" tess_layer_pattern)
list(JOIN TESS_LAYERS ", " tess_layer_names)
foreach(file IN LISTS tess_files)
  if(NOT file MATCHES "^((${tess_layer_pattern})(/win32)?/[^/]+|resources/[^/]+\\.h)$")
    message(SEND_ERROR "src/${file} is in no layer: code goes into src/<layer>/ or "
      "src/<layer>/win32/, <layer> being one of ${tess_layer_names}")
  endif()
endforeach()

# The files of src/<dir>/ (no deeper) whose names end in <suffix>, with their full paths.
function(tess_layer_files out dir suffix)
  set(files ${tess_files})
  list(FILTER files INCLUDE REGEX "^${dir}/[^/]+\\${suffix}$")
  list(TRANSFORM files PREPEND ${tess_src}/)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Gives <target> (with <scope>) an include root that holds the headers of src/<dir>/ and nothing
# else, as <dir>/<name>.h.
function(tess_include_root target scope dir)
  string(REPLACE "/" "-" name ${dir})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${dir})
  tess_layer_files(headers ${dir} .h)
  foreach(header IN LISTS headers)
    get_filename_component(header_name ${header} NAME)
    set(link ${root}/${dir}/${header_name})
    file(CREATE_LINK ${header} ${link} RESULT result SYMBOLIC)
    if(NOT result EQUAL 0)
      # No symbolic links here (Windows outside developer mode): a header that includes the real
      # one serves as well. (Removed first, so that nothing is ever written through a link.)
      file(REMOVE ${link})
      file(WRITE ${link} "#include \"${header}\"\n")
    endif()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

add_library(layer_resources INTERFACE)
tess_include_root(layer_resources INTERFACE resources)

set(tess_below layer_resources)
foreach(layer IN LISTS TESS_LAYERS)
  tess_layer_files(sources ${layer} .cpp)
  add_library(layer_${layer} STATIC ${sources})
  tess_include_root(layer_${layer} PUBLIC ${layer})
  target_link_libraries(layer_${layer} PUBLIC ${tess_below})
  target_compile_options(layer_${layer} PRIVATE ${TESS_WARNINGS})
  set(tess_below layer_${layer})
endforeach()

if(WIN32)
  set(tess_windows "")
  foreach(layer IN LISTS TESS_LAYERS)
    tess_layer_files(sources ${layer}/win32 .cpp)
    list(FILTER sources EXCLUDE REGEX "/WinMain\\.cpp$")
    if(NOT sources)
      continue()
    endif()
    set(lib layer_${layer}_win32)
    add_library(${lib} STATIC ${sources})
    tess_include_root(${lib} PUBLIC ${layer}/win32)
    target_link_libraries(${lib} PUBLIC layer_${layer})
    if(layer STREQUAL "app")
      target_link_libraries(${lib} PUBLIC ${tess_windows})
    elseif(NOT layer STREQUAL "platform")
      target_link_libraries(${lib} PUBLIC layer_platform_win32)
    endif()
    target_compile_options(${lib} PRIVATE ${TESS_WARNINGS})
    list(APPEND tess_windows ${lib})
  endforeach()
endif()
