# vs_embed(<target> <symbol> <file> [DEPENDS <target-or-file>...])
#
# Links the bytes of <file> into <target> as a read-only constant laid out like a byte set:
# u32 dimension count (1), u32 length, the bytes. Declared in the generated header
# <symbol>.h (include directory added to <target>) as
#     extern "C" const unsigned char <symbol>[];
# The assembler's .incbin keeps even a payload of many megabytes quick to build.
function(vs_embed target symbol file)
  cmake_parse_arguments(E "" "" "DEPENDS" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  file(MAKE_DIRECTORY ${out_dir})
  set(asm ${out_dir}/${symbol}.S)
  set(hdr ${out_dir}/${symbol}.h)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(asm_symbol _${symbol})  # i686 PE symbols carry a leading underscore
    set(section ".section .rdata,\"dr\"")
  elseif(WIN32)
    set(asm_symbol ${symbol})
    set(section ".section .rdata,\"dr\"")
  else()
    set(asm_symbol ${symbol})
    set(section ".section .rodata")
    set(trailer ".section .note.GNU-stack,\"\",@progbits")
  endif()
  add_custom_command(
    OUTPUT ${asm}
    COMMAND ${CMAKE_COMMAND} -DASM=${asm} -DFILE=${file} -DSYMBOL=${asm_symbol}
            -DSECTION=${section} "-DTRAILER=${trailer}" -P ${PROJECT_SOURCE_DIR}/cmake/WriteEmbedAsm.cmake
    DEPENDS ${file} ${E_DEPENDS} ${PROJECT_SOURCE_DIR}/cmake/WriteEmbedAsm.cmake
    COMMENT "Embedding ${file} as ${symbol}"
    VERBATIM)
  vs_write_if_changed(${hdr} "// Generated: the bytes of ${file} as a byte-set constant.\n#pragma once\nextern \"C\" const unsigned char ${symbol}[];\n")
  set_source_files_properties(${asm} PROPERTIES LANGUAGE ASM OBJECT_DEPENDS ${file})
  target_sources(${target} PRIVATE ${asm})
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()

# Writes `content` to `path` only when it differs, so that an unchanged file keeps its time and
# rebuilds nothing.
function(vs_write_if_changed path content)
  file(WRITE ${path}.tmp "${content}")
  file(COPY_FILE ${path}.tmp ${path} ONLY_IF_DIFFERENT)
  file(REMOVE ${path}.tmp)
endfunction()
