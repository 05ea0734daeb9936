/* What a test's glue file gives the test cartridge: the blocks to load and the display set-up. */
#ifndef VORLIN_SHOW_H
#define VORLIN_SHOW_H

struct ShowBlock {
    const void* data;    /* null: nothing to load */
    unsigned bytes;      /* stored size (compressed size when compressed) */
    int compressed;      /* 1: a BIOS stream (LZ77, Huffman or run-length, told by its header) */
    unsigned dest;       /* destination address */
};

struct ShowSetup {
    unsigned short dispcnt;
    unsigned short bgcnt;      /* control of the background the mode shows (BG0, or BG2 in affine and bitmap modes) */
    short affine[4];           /* BG2 pa, pb, pc, pd for affine modes */
    struct ShowBlock blocks[4];
    struct ShowBlock probe;    /* decompressed to SHOW_PROBE_ADDR for byte comparison, dest ignored */
};

#define SHOW_PROBE_ADDR 0x02030000u
#define SHOW_DONE_ADDR 0x0203FFF0u
#define SHOW_DONE_MAGIC 0x600DF00Du

extern const struct ShowSetup show_setup;

#endif
