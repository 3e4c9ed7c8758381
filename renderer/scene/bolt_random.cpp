#include "bolt_random.h"

uint32_t g_boltRandomState = 1;

int BoltRand()
{
    g_boltRandomState = g_boltRandomState * 214013u + 2531011u;
    return static_cast<int>((g_boltRandomState >> 16) & 0x7FFF);
}
