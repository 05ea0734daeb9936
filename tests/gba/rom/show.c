/* Test cartridge: loads exported blocks into video memory (through the BIOS when they are
 * compressed), sets up the display and idles, so the runner can compare the screen. */
#include "show.h"

typedef unsigned int u32;
typedef unsigned short u16;
typedef unsigned char u8;

#define REG_DISPCNT (*(volatile u16*)0x04000000)
#define REG_BG0CNT (*(volatile u16*)0x04000008)
#define REG_BG2CNT (*(volatile u16*)0x0400000C)
#define REG_BG2PA (*(volatile short*)0x04000020)
#define REG_BG2PB (*(volatile short*)0x04000022)
#define REG_BG2PC (*(volatile short*)0x04000024)
#define REG_BG2PD (*(volatile short*)0x04000026)

/* Staging areas in external work RAM: compressed input (BIOS Huffman wants it word-aligned)
 * and decompressed output, which is then copied to video memory in halfwords. */
#define STAGE_IN ((u8*)0x02000000)
#define STAGE_OUT ((u8*)0x02018000)

static void bios_decompress(const void* src, void* dst) {
    u32 type = *(const u8*)src & 0xF0;
    register const void* r0 asm("r0") = src;
    register void* r1 asm("r1") = dst;
    if (type == 0x10)
        asm volatile("swi 0x110000" : "+r"(r0), "+r"(r1) : : "r2", "r3", "memory");
    else if (type == 0x20)
        asm volatile("swi 0x130000" : "+r"(r0), "+r"(r1) : : "r2", "r3", "memory");
    else if (type == 0x30)
        asm volatile("swi 0x140000" : "+r"(r0), "+r"(r1) : : "r2", "r3", "memory");
}

static void copy_bytes(u8* dst, const u8* src, u32 n) {
    while (n--) *dst++ = *src++;
}

static void copy_halfwords(volatile u16* dst, const u8* src, u32 bytes) {
    for (u32 i = 0; i + 1 < bytes; i += 2) dst[i / 2] = (u16)(src[i] | (src[i + 1] << 8));
    if (bytes & 1) dst[bytes / 2] = src[bytes - 1];
}

/* Returns the decompressed bytes in STAGE_OUT (or the plain block) and their count. */
static const u8* unpack(const struct ShowBlock* b, u32* size) {
    if (!b->compressed) {
        *size = b->bytes;
        return (const u8*)b->data;
    }
    copy_bytes(STAGE_IN, (const u8*)b->data, b->bytes);
    *size = (*(const u32*)STAGE_IN) >> 8;
    bios_decompress(STAGE_IN, STAGE_OUT);
    return STAGE_OUT;
}

int main(void) {
    REG_DISPCNT = 0x0080; /* forced blank while loading */
    for (int i = 0; i < 4; ++i) {
        const struct ShowBlock* b = &show_setup.blocks[i];
        if (!b->data) continue;
        u32 size;
        const u8* bytes = unpack(b, &size);
        copy_halfwords((volatile u16*)b->dest, bytes, size);
    }
    if (show_setup.probe.data) {
        u32 size;
        const u8* bytes = unpack(&show_setup.probe, &size);
        copy_bytes((u8*)SHOW_PROBE_ADDR, bytes, size);
    }
    REG_BG0CNT = show_setup.bgcnt;
    REG_BG2CNT = show_setup.bgcnt;
    REG_BG2PA = show_setup.affine[0];
    REG_BG2PB = show_setup.affine[1];
    REG_BG2PC = show_setup.affine[2];
    REG_BG2PD = show_setup.affine[3];
    REG_DISPCNT = show_setup.dispcnt;
    *(volatile u32*)SHOW_DONE_ADDR = SHOW_DONE_MAGIC;
    for (;;) {
    }
}
