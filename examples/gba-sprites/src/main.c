/* A scrolling-free scene: the backdrop on background 0 and four 16 x 16 sprites over it.
   The D-pad moves the ship. The pictures in art/ reach the program through vorlin-cli export. */
#include "backdrop.h"
#include "sprites.h"

typedef unsigned short u16;
typedef unsigned int u32;

#define REG_DISPCNT (*(volatile u16*)0x04000000)
#define REG_VCOUNT (*(volatile u16*)0x04000006)
#define REG_BG0CNT (*(volatile u16*)0x04000008)
#define REG_KEYINPUT (*(volatile u16*)0x04000130)

#define BG_PALETTE ((volatile u16*)0x05000000)
#define OBJ_PALETTE ((volatile u16*)0x05000200)
#define CHAR_BLOCK(n) ((volatile u16*)(0x06000000 + (n) * 0x4000))
#define SCREEN_BLOCK(n) ((volatile u16*)(0x06000000 + (n) * 0x800))
#define OBJ_TILES ((volatile u16*)0x06010000)
#define OAM ((volatile u16*)0x07000000)

#define DISPCNT_MODE0 0x0000
#define DISPCNT_OBJ_1D 0x0040
#define DISPCNT_BG0 0x0100
#define DISPCNT_OBJ 0x1000
#define BGCNT_SCREEN_BLOCK(n) ((n) << 8)
#define OBJ_HIDDEN 0x0200
#define OBJ_SIZE_16 0x4000 /* with the square shape: 16 x 16 */

#define KEY_RIGHT 0x0010
#define KEY_LEFT 0x0020
#define KEY_UP 0x0040
#define KEY_DOWN 0x0080

enum { kBackdropScreenBlock = 28, kSprites = 4, kTilesPerSprite = 4, kObjects = 128 };

struct Sprite {
    int x, y;
};

/* Where the sprites start: ship, coin, heart, star (their order in art/sprites.png). */
static struct Sprite sprites[kSprites] = {{40, 60}, {120, 40}, {180, 100}, {200, 20}};

/* Video memory ignores byte writes, so data moves in halfwords (every exported array is
   word-aligned, whatever its unit). */
static void CopyHalfwords(volatile u16* dst, const void* src, u32 bytes) {
    const u16* from = (const u16*)src;
    for (u32 i = 0; i < bytes / 2; ++i) dst[i] = from[i];
}

/* BIOS call 0x12 decodes an LZ77 stream with halfword writes, as video memory needs. */
static void Lz77ToVram(const void* src, volatile void* dst) {
    register const void* r0 __asm__("r0") = src;
    register volatile void* r1 __asm__("r1") = dst;
    __asm__ volatile("swi 0x12" : "+r"(r0), "+r"(r1) : : "r2", "r3", "memory");
}

static void WaitForVBlank(void) {
    while (REG_VCOUNT >= 160) {
    }
    while (REG_VCOUNT < 160) {
    }
}

static void PlaceSprites(void) {
    for (int i = 0; i < kSprites; ++i) {
        volatile u16* attr = OAM + i * 4;
        attr[0] = (u16)(sprites[i].y & 0xFF);
        attr[1] = (u16)((sprites[i].x & 0x1FF) | OBJ_SIZE_16);
        attr[2] = (u16)(i * kTilesPerSprite);
    }
}

static void MoveShip(u16 keys) {
    struct Sprite* ship = &sprites[0];
    if (!(keys & KEY_LEFT) && ship->x > 0) --ship->x;
    if (!(keys & KEY_RIGHT) && ship->x < 240 - 16) ++ship->x;
    if (!(keys & KEY_UP) && ship->y > 0) --ship->y;
    if (!(keys & KEY_DOWN) && ship->y < 160 - 16) ++ship->y;
}

int main(void) {
    CopyHalfwords(BG_PALETTE, backdropPal, backdropPalLen);
    Lz77ToVram(backdropTiles, CHAR_BLOCK(0));
    CopyHalfwords(SCREEN_BLOCK(kBackdropScreenBlock), backdropMap, backdropMapLen);
    REG_BG0CNT = BGCNT_SCREEN_BLOCK(kBackdropScreenBlock);

    CopyHalfwords(OBJ_PALETTE, spritesPal, spritesPalLen);
    CopyHalfwords(OBJ_TILES, spritesTiles, spritesTilesLen);
    for (int i = 0; i < kObjects; ++i) OAM[i * 4] = OBJ_HIDDEN;
    PlaceSprites();

    REG_DISPCNT = DISPCNT_MODE0 | DISPCNT_OBJ_1D | DISPCNT_BG0 | DISPCNT_OBJ;
    for (;;) {
        WaitForVBlank();
        MoveShip(REG_KEYINPUT);
        PlaceSprites();
    }
}
