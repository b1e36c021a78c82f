# Compiler settings and helpers shared by every module.
#
#   vs_defaults(<target>)          warnings, GBK string literals, include root
#   vs_add_gtest(<name> SOURCES .. [LIBS ..] [TIMEOUT s] [LABELS ..] [ON_32BIT_WINDOWS_TOO])
#                                  a GoogleTest program registered with CTest; in a cross
#                                  tree it runs under that tree's Wine loader, on its own

option(VS_SANITIZE "Build native code with AddressSanitizer and UBSan" ON)
option(VS_FUZZ "Build the libFuzzer targets (clang tree)" OFF)

# The Windows architecture of a cross tree: win32 (i686, the product) or win64 (x86_64), with the
# Wine loader of its programs (the 32-bit one cannot start on every host).
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VS_ARCH win64)
  set(VS_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader of this tree's programs")
else()
  set(VS_ARCH win32)
  set(VS_WINE_LOADER /usr/lib/wine/wine CACHE FILEPATH "Wine loader of this tree's programs")
endif()
# The ready Wine prefixes tools/setup.sh makes beside the trees: a 64-bit Windows, where the
# 32-bit program runs through WoW64 as it does for most of its users, and a 32-bit Windows (only
# on hosts that run 32-bit code). Each test program runs in a fresh copy of one of them.
get_filename_component(VS_WINDOWS64_PREFIX "${CMAKE_BINARY_DIR}/../wineprefix-win64" ABSOLUTE)
get_filename_component(VS_WINDOWS32_PREFIX "${CMAKE_BINARY_DIR}/../wineprefix-win32" ABSOLUTE)

if(WIN32)
  # One static executable, no runtime DLLs next to it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Built for size: the install's hot loops (decoding, checksums) are liblzma's, built on its
  # own; the program's code is a download on every install, and -Os makes it a third smaller.
  add_compile_options(-Os)
  # Without exceptions and run-time type information: the program uses neither, and they cost it
  # their tables, the library's exception classes and its unwinder. What the library would throw
  # ends the program (program/library_failures_win32.cpp). Every function and datum in a section
  # of its own, so that the linker drops what nothing calls.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions> $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-fdata-sections>)
  add_link_options(-Wl,--gc-sections)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit code unwinds by tables only for exceptions; 64-bit Windows needs its own for every
    # function and keeps them. The debugger's come with the debugging information.
    add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fno-asynchronous-unwind-tables>)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  set(VS_LIBLZMA_ROOT "${CMAKE_BINARY_DIR}/../deps/liblzma-${CMAKE_SYSTEM_PROCESSOR}" CACHE PATH
      "cross-built liblzma")
  get_filename_component(VS_LIBLZMA_ROOT "${VS_LIBLZMA_ROOT}" ABSOLUTE)
  add_library(vs_liblzma STATIC IMPORTED GLOBAL)
  set_target_properties(vs_liblzma PROPERTIES
    IMPORTED_LOCATION "${VS_LIBLZMA_ROOT}/lib/liblzma.a"
    INTERFACE_INCLUDE_DIRECTORIES "${VS_LIBLZMA_ROOT}/include"
    INTERFACE_COMPILE_DEFINITIONS LZMA_API_STATIC)
  add_library(VS::lzma ALIAS vs_liblzma)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LZMA REQUIRED IMPORTED_TARGET liblzma)
  add_library(VS::lzma ALIAS PkgConfig::LZMA)
  if(VS_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g1)
    add_link_options(-fsanitize=address,undefined)
  elseif(VS_SANITIZE)
    # -O1 as the sanitizers advise, and line tables (-g1) for their reports: the tree builds in
    # half the time -O2 -g takes.
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined -O1 -g1)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# String literals are stored in code page 936. GB18030 encodes every GBK character exactly as GBK
# does, and unlike GBK it also covers the library's own literals (<chrono> has a micro sign), so
# it is the execution character set.
# clang knows no execution character set but UTF-8; the fuzz tree keeps UTF-8 literals, which
# makes no difference to the portable code it exercises.
function(vs_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 reports a false -Wrestrict inside libstdc++ for "literal" + std::string at -O3, and
  # every member that a designated initialiser leaves to its default (how element descriptions
  # are written).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-missing-field-initializers)
  endif()
  if(NOT VS_FUZZ)
    target_compile_options(${target} PRIVATE -fexec-charset=GB18030)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Registers `program` under Wine as the CTest entry `name`, in a fresh copy of the ready prefix
# and on a display of its own (cmake/run-wine-test.sh), so entries may run in parallel.
function(vs_add_wine_test name program ready_prefix timeout labels)
  add_test(NAME ${name}
           COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/run-wine-test.sh ${VS_WINE_LOADER}
                   ${ready_prefix} ${CMAKE_BINARY_DIR}/wine-scratch/${name}
                   $<TARGET_FILE:${program}>)
  # The long programs are given long timeouts; as their cost, it makes a parallel run start
  # them first, so that no long one is left running alone at the end.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} COST ${timeout}
    LABELS "wine;${labels}"
    ENVIRONMENT "WINELOADER=${VS_WINE_LOADER};WINEDEBUG=-all;LC_ALL=zh_CN.UTF-8")
endfunction()

# ON_32BIT_WINDOWS_TOO: in the 32-bit tree the program also runs on a 32-bit Windows (a second
# CTest entry, <name>_on_32bit_windows), for what differs there: one Program Files folder, one
# registry view, no file-system redirection.
function(vs_add_gtest name)
  cmake_parse_arguments(T "ON_32BIT_WINDOWS_TOO" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  vs_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest gtest_main)
  # Line tables are all a test's own code needs for a backtrace; full debugging information
  # would take a fifth more of the time its sources take to build.
  target_compile_options(${name} PRIVATE -g1)
  # One CTest entry per program: starting a process (under Wine, or with the sanitizers'
  # runtime) costs far more than most test cases. --gtest_filter picks cases.
  if(WIN32)
    vs_add_wine_test(${name} ${name} ${VS_WINDOWS64_PREFIX} ${T_TIMEOUT} "${T_LABELS}")
    if(T_ON_32BIT_WINDOWS_TOO AND VS_ARCH STREQUAL "win32")
      vs_add_wine_test(${name}_on_32bit_windows ${name} ${VS_WINDOWS32_PREFIX} ${T_TIMEOUT}
                       "${T_LABELS};windows32")
    endif()
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} COST ${T_TIMEOUT}
      LABELS "native;${T_LABELS}")
  endif()
endfunction()

# A module folder holds portable sources (*.cpp), Win32 sources (*_win32.cpp, cross tree only)
# and native stand-ins of platform services (*_posix.cpp, native tree only). They form one
# library vs_<module>, so portable code may call a platform service that each tree provides.
# vs_<module>_win32 names the same library in the cross tree, for targets that want to say
# they need the Win32 side.
function(vs_module name)
  cmake_parse_arguments(M "WIN32_ONLY" "" "DEPS;WIN32_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  elseif(M_WIN32_ONLY)
    return()
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(vs_${name} STATIC ${sources})
  vs_defaults(vs_${name})
  target_link_libraries(vs_${name} PUBLIC ${M_DEPS})
  if(WIN32)
    target_link_libraries(vs_${name} PUBLIC ${M_WIN32_DEPS})
    add_library(vs_${name}_win32 ALIAS vs_${name})
  endif()
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(vs_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
