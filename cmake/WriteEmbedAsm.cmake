# Script mode helper of vs_embed: writes the assembly that carries FILE as SYMBOL.
file(SIZE "${FILE}" size)
file(WRITE "${ASM}"
"${SECTION}
    .globl ${SYMBOL}
    .balign 16
${SYMBOL}:
    .long 1
    .long ${size}
    .incbin \"${FILE}\"
    .byte 0
${TRAILER}
")
