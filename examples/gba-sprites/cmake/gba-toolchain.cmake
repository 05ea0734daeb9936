# Cross-compiling for the GBA's ARM7TDMI with the bare-metal ARM toolchain.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_ASM_COMPILER arm-none-eabi-gcc)
set(CMAKE_OBJCOPY arm-none-eabi-objcopy)
# Without start-up code of its own a test program cannot link, so the compiler check builds a library.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
