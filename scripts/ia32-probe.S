# A 32-bit Linux program that prints the machine name the kernel gives it:
# "x86_64" when the 64-bit kernel runs it itself (IA-32 emulation on), the
# emulated processor ("i386", "i686") when an emulator registered in
# binfmt_misc runs it instead. Where the kernel runs no 32-bit code, it does
# not start at all ("Exec format error"). Built by scripts/ia32.sh:
#   as --32 -o probe.o ia32-probe.S && ld -m elf_i386 -o probe probe.o
        .text
        .globl _start
_start:
        movl    $122, %eax              # uname(&uts)
        movl    $uts, %ebx
        int     $0x80
        movl    $uts+4*65, %ecx         # uts.machine, the fifth field
        movl    %ecx, %edx
1:      cmpb    $0, (%edx)              # its length, up to the NUL
        je      2f
        incl    %edx
        jmp     1b
2:      subl    %ecx, %edx
        movl    $4, %eax                # write(1, uts.machine, length)
        movl    $1, %ebx
        int     $0x80
        movl    $1, %eax                # exit(0)
        xorl    %ebx, %ebx
        int     $0x80

        .bss
uts:    .space  6*65                    # struct new_utsname
