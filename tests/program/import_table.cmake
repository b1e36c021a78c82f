# Fails when a program's import table names a library other than those Windows always takes from
# its own folder and the plain window needs anyway: everything else (COM, the shell, the input
# method, GDI+, the common controls) is bound at first use from the system folder, so that no
# library comes from the Downloads folder the elevated program runs in and none that the first
# frame does not need is loaded before it.
#   cmake -DOBJDUMP=<objdump> -DPROGRAMS=<a.exe>|<b.exe> -P import_table.cmake
cmake_minimum_required(VERSION 3.20)
set(allowed advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll)
string(REPLACE "|" ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${OBJDUMP}" -p "${program}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${program}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
  if(NOT names)
    message(FATAL_ERROR "${program}: no imported library found; is it a PE file?")
  endif()
  foreach(entry IN LISTS names)
    string(REGEX REPLACE "DLL Name: " "" library "${entry}")
    string(STRIP "${library}" library)
    string(TOLOWER "${library}" library)
    if(NOT library IN_LIST allowed)
      message(FATAL_ERROR "${program} imports ${library}; bind it at first use instead "
                          "(runtime/dll_calls_win32.h)")
    endif()
  endforeach()
  message(STATUS "${program}: ${names}")
endforeach()
