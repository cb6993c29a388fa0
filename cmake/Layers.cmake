# The layers, kept by the compiler. Each folder of the program is one library whose include
# root holds only that folder's headers, staged in the build tree as links to the sources:
#   <build>/include/engine/engine/Cards.h -> <source>/engine/Cards.h
# A library sees the include roots of the libraries it links and of what they link publicly,
# and no other: "bank/AccountTable.h" does not even exist for the engine, so an include along a
# forbidden arrow fails to compile. The arrows are the target_link_libraries in each folder's
# CMakeLists.txt and nowhere else; the file layers.txt written here from them is what
# tools/check-layers.sh checks the includes against.

# Makes `target` the library of the folder whose CMakeLists.txt calls this: publishes the
# folder's headers as its include root. New headers appear at the next build (the glob is
# checked then), and a header deleted from the folder leaves it.
function(corvanta_publish_headers target)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  file(REMOVE_RECURSE ${root})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} *.h)
  foreach(header IN LISTS headers)
    set(link ${root}/${folder}/${header})
    cmake_path(GET link PARENT_PATH link_folder)
    file(MAKE_DIRECTORY ${link_folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${link} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
  set_property(TARGET ${target} PROPERTY CORVANTA_FOLDER ${folder})
  set_property(GLOBAL APPEND PROPERTY CORVANTA_LAYERS ${target})
endfunction()

# Sets `out` to the folders whose headers `target` sees besides its own: those of the libraries
# it links and, through them, of everything they link publicly; "QtGui" for Qt6::Gui and so on.
function(corvanta_seen_folders target out)
  get_target_property(queue ${target} LINK_LIBRARIES)
  set(linked)
  while(queue)
    list(POP_FRONT queue library)
    # $<LINK_ONLY:...> and the like carry no include folders.
    if(library MATCHES "^\\$<" OR library IN_LIST linked OR NOT TARGET ${library})
      continue()
    endif()
    list(APPEND linked ${library})
    get_target_property(published ${library} INTERFACE_LINK_LIBRARIES)
    if(published)
      list(APPEND queue ${published})
    endif()
  endwhile()
  set(folders)
  foreach(library IN LISTS linked)
    get_target_property(folder ${library} CORVANTA_FOLDER)
    if(folder)
      list(APPEND folders ${folder})
    elseif(library MATCHES "^Qt6::(.+)$")
      get_target_property(type ${library} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY") # Qt6::Platform: compile options, no headers
        list(APPEND folders Qt${CMAKE_MATCH_1})
      endif()
    endif()
  endforeach()
  get_target_property(own ${target} CORVANTA_FOLDER)
  list(REMOVE_ITEM folders ${own})
  list(REMOVE_DUPLICATES folders)
  list(SORT folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Stops the configuration if a library builds a source file that lives outside its folder:
# the folders show the libraries.
function(corvanta_check_sources target)
  get_target_property(folder ${target} CORVANTA_FOLDER)
  get_target_property(target_dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${target_dir} NORMALIZE)
    cmake_path(IS_PREFIX CMAKE_BINARY_DIR ${source} generated)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${source} in_project)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
    if(NOT generated AND (NOT in_project OR NOT relative MATCHES "^${folder}/"))
      message(FATAL_ERROR "${target} is the library of ${folder}/ but builds ${relative}")
    endif()
  endforeach()
endfunction()

# Writes <build>/layers.txt: a line for each library, its folder and the folders it may include,
# and where the Qt headers are, to tell which Qt library a header belongs to.
function(corvanta_write_layer_rules)
  get_property(layers GLOBAL PROPERTY CORVANTA_LAYERS)
  string(CONCAT text
    "# Written by cmake/Layers.cmake from the libraries' target_link_libraries; read by\n"
    "# tools/check-layers.sh. \"folder: the folders and Qt libraries it may include\".\n")
  foreach(target IN LISTS layers)
    corvanta_check_sources(${target})
    get_target_property(folder ${target} CORVANTA_FOLDER)
    corvanta_seen_folders(${target} seen)
    list(JOIN seen " " seen)
    string(STRIP "${folder}: ${seen}" line)
    string(APPEND text "${line}\n")
  endforeach()
  if(TARGET Qt6::Core)
    get_target_property(qt_folders Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER qt_folders INCLUDE REGEX "/QtCore$")
    list(TRANSFORM qt_folders REPLACE "/QtCore$" "")
    string(APPEND text "Qt headers: ${qt_folders}\n")
  endif()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/layers.txt CONTENT "${text}" @ONLY)
endfunction()

# Once every folder is read, whatever the options left out.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL corvanta_write_layer_rules)
