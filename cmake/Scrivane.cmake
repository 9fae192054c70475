# Shared build rules: one library per source folder, one test program per test folder.

set(SCRIVANE_SRC ${PROJECT_SOURCE_DIR}/src)
set(SCRIVANE_WINDOWS ${WIN32})

# Sources are UTF-8; every string literal of the program is Windows-1252, as the ANSI API needs.
# Clang, which builds only the fuzz targets, knows no other execution character set than UTF-8.
set(SCRIVANE_COMPILE_OPTIONS -Wall -Wextra -finput-charset=UTF-8)
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  list(APPEND SCRIVANE_COMPILE_OPTIONS -fexec-charset=cp1252)
endif()

option(SCRIVANE_BENCH "Build the benchmarks" ON)

option(BUILD_TESTING "Build the tests and the benchmarks; off, only the program" ON)
# Debian ships GoogleTest for the host only, and as sources: the cross build compiles them.
set(SCRIVANE_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built when no installed GoogleTest is found")

if(SCRIVANE_WINDOWS)
  enable_language(RC)
  # One self-contained executable: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # The same bytes from every build of a commit, in any folder: no link time, no source paths.
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

if(BUILD_TESTING)
  find_package(GTest)
  if(NOT GTest_FOUND AND EXISTS ${SCRIVANE_GTEST_SOURCE_DIR}/CMakeLists.txt)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(${SCRIVANE_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  elseif(NOT GTest_FOUND)
    message(FATAL_ERROR "GoogleTest not found: install it, or configure with -DBUILD_TESTING=OFF")
  endif()
endif()

# Globs the .cpp files of DIRS (relative to the current folder) into LIST_VAR.
function(scrivane_sources list_var)
  set(sources)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  set(${list_var} ${sources} PARENT_SCOPE)
endfunction()

# scrivane_library(NAME [DIRS dir...] [DEPENDS lib...]): library scrivane_NAME from the
# folder's .cpp files (DIRS defaults to the folder itself); an interface library while empty.
function(scrivane_library name)
  cmake_parse_arguments(arg "" "" "DIRS;DEPENDS" ${ARGN})
  if(NOT arg_DIRS)
    set(arg_DIRS .)
  endif()
  scrivane_sources(sources ${arg_DIRS})
  set(target scrivane_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_compile_options(${target} PRIVATE ${SCRIVANE_COMPILE_OPTIONS})
    target_include_directories(${target} PUBLIC ${SCRIVANE_SRC})
    target_link_libraries(${target} PUBLIC ${arg_DEPENDS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${SCRIVANE_SRC})
    target_link_libraries(${target} INTERFACE ${arg_DEPENDS})
  endif()
endfunction()

function(scrivane_test_program target sources libs)
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${SCRIVANE_COMPILE_OPTIONS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${libs} scrivane_test_support GTest::gtest GTest::gmock)
endfunction()

# scrivane_host_tests(NAME [DIRS dir...] LIBS lib...): a GoogleTest program of the host build,
# each test case its own ctest entry.
function(scrivane_host_tests name)
  cmake_parse_arguments(arg "" "" "DIRS;LIBS" ${ARGN})
  if(SCRIVANE_WINDOWS)
    return()
  endif()
  if(NOT arg_DIRS)
    set(arg_DIRS .)
  endif()
  scrivane_sources(sources ${arg_DIRS})
  if(NOT sources)
    return()
  endif()
  scrivane_test_program(${name} "${sources}" "${arg_LIBS};GTest::gtest_main")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# scrivane_wine_tests(NAME [DIRS dir...] LIBS lib...): a GoogleTest program of the Windows
# build, run whole under Wine as one ctest entry.
function(scrivane_wine_tests name)
  cmake_parse_arguments(arg "" "" "DIRS;LIBS" ${ARGN})
  if(NOT SCRIVANE_WINDOWS)
    return()
  endif()
  if(NOT arg_DIRS)
    set(arg_DIRS .)
  endif()
  scrivane_sources(sources ${arg_DIRS})
  if(NOT sources)
    return()
  endif()
  scrivane_test_program(${name} "${sources}" "${arg_LIBS};GTest::gtest_main")
  add_test(NAME ${name} COMMAND ${name})
  # Windows share one desktop and compete for the focus: one Wine program at a time.
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK desktop)
endfunction()

# scrivane_resources(NAME RC file.rc BITMAPS picture.txt...): an object library NAME holding
# the compiled resource script. Each picture drawn as text becomes <its name>.bmp in the
# build folder, where the script finds it by its bare file name. Link NAME straight into
# each executable: a resource in a static library would never be pulled into the link.
function(scrivane_resources name)
  cmake_parse_arguments(arg "" "RC" "BITMAPS" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(bitmaps)
  foreach(picture ${arg_BITMAPS})
    get_filename_component(base ${picture} NAME_WE)
    get_filename_component(source ${picture} ABSOLUTE)
    add_custom_command(OUTPUT ${out}/${base}.bmp
                       COMMAND python3 ${PROJECT_SOURCE_DIR}/cmake/TextBitmap.py ${source} ${out}/${base}.bmp
                       DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/TextBitmap.py
                       COMMENT "Drawing ${base}.bmp" VERBATIM)
    list(APPEND bitmaps ${out}/${base}.bmp)
  endforeach()
  file(MAKE_DIRECTORY ${out})
  get_filename_component(rc ${arg_RC} ABSOLUTE)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${bitmaps}")
  add_library(${name} OBJECT ${rc} ${bitmaps})
  target_include_directories(${name} PRIVATE ${out})
endfunction()
