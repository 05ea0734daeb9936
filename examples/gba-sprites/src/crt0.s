@ Cartridge header and start-up: set the stacks, copy initialised variables from ROM to
@ IWRAM, zero the rest, then call main (a Thumb function; bx switches state).
    .section .crt0, "ax"
    .arm
    .global _start
_start:
    b       boot
    @ Logo area. The console's own BIOS compares it with the logo it holds, so a cartridge for
    @ real hardware gets it (and the checksum below) filled in by a header tool; emulators
    @ with a built-in BIOS skip the check.
    .fill   156, 1, 0
    .ascii  "GBA SPRITES "      @ game title, 12 bytes
    .ascii  "VSPR"              @ game code
    .ascii  "00"                @ maker code
    .byte   0x96                @ fixed value
    .byte   0                   @ main unit
    .byte   0                   @ device type
    .fill   7, 1, 0             @ reserved
    .byte   0                   @ software version
    .byte   0x72                @ complement check over 0xA0-0xBC for the bytes above
    .fill   2, 1, 0             @ reserved

boot:
    mov     r0, #0xD2           @ IRQ mode, interrupts off: its stack
    msr     cpsr_c, r0
    ldr     sp, =__irq_stack_top
    mov     r0, #0xDF           @ system mode for the program
    msr     cpsr_c, r0
    ldr     sp, =__user_stack_top

    ldr     r0, =__data_load
    ldr     r1, =__data_start
    ldr     r2, =__data_end
copy_data:
    cmp     r1, r2
    ldmltia r0!, {r3}
    stmltia r1!, {r3}
    blt     copy_data

    ldr     r1, =__bss_start
    ldr     r2, =__bss_end
    mov     r3, #0
zero_bss:
    cmp     r1, r2
    stmltia r1!, {r3}
    blt     zero_bss

    ldr     r3, =main
    mov     lr, pc
    bx      r3
halt:
    b       halt
    .pool
