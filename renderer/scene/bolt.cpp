#include "bolt.h"

#include "bolt_random.h"

float g_boltPoints[kBoltPoints][kBoltBranches][3];
int g_branchLength[kBoltBranches];
int g_lastBranch;
float g_flashBrightness;
int g_boltVisible;

namespace {

constexpr int kLastPoint = kBoltPoints - 1;
constexpr int kLastBranchIndex = kBoltBranches - 1;

// A random offset from 0 to 2.4975 in steps of 0.0025.
double RandomStep()
{
    return (BoltRand() % 1000) / 400.0;
}

} // namespace

void ExtendBranches()
{
    // The bound is read again on every step: a branch forked in this pass is
    // extended (and may fork) in this pass too.
    for (int i = 0; i <= g_lastBranch; ++i) {
        const float* newest = g_boltPoints[g_branchLength[i]][i];
        const double dx1 = RandomStep();
        const double dx2 = RandomStep();
        const double dz = RandomStep();
        // Summed in double precision and rounded to single where each cast
        // stands, as the storm has always done it. The casts look removable:
        // bolt_test (PointsAreRoundedExactlyAsEverRun) pins every point to
        // the bit, and fails when x is not rounded between its two sums or z
        // is summed in single precision.
        const float x = static_cast<float>(static_cast<float>(newest[0] + dx1) - dx2);
        const float y = static_cast<float>(newest[1] + 0.2);
        const float z = static_cast<float>((newest[2] - 0.2) - dz);

        if (g_branchLength[i] == kLastPoint)
            continue; // full: the draws above are spent all the same

        float* point = g_boltPoints[++g_branchLength[i]][i];
        point[0] = x;
        point[1] = y;
        point[2] = z;

        if (BoltRand() % 5 == 1 && g_lastBranch < kLastBranchIndex) {
            const int fork = ++g_lastBranch;
            g_branchLength[fork] = 0;
            float* start = g_boltPoints[0][fork];
            start[0] = x;
            start[1] = y;
            start[2] = z;
        }
    }
}

bool BoltComplete()
{
    // A full trunk still above the ground could never come down: without this
    // bound the growth would never end.
    return g_boltPoints[g_branchLength[0]][0][2] <= 0.0f || g_branchLength[0] == kLastPoint;
}

void GrowBolt()
{
    for (int& length : g_branchLength)
        length = -1;
    g_boltPoints[0][0][0] = 0.0f;
    g_boltPoints[0][0][1] = 0.0f;
    g_boltPoints[0][0][2] = 20.0f;
    g_branchLength[0] = 0;
    g_lastBranch = 0;

    do {
        ExtendBranches();
    } while (!BoltComplete());

    g_flashBrightness = 1.0f;
    g_boltVisible = 1;
}

void FadeFlash()
{
    // The difference in double precision, rounded to single, as always:
    // bolt_test (FlashFadesOverSeventyOneFramesAndRestartsOnGrowth) pins the
    // 71 steps of the flash that this rounding gives.
    g_flashBrightness = static_cast<float>(g_flashBrightness - 0.01);
    if (g_flashBrightness <= 0.3)
        g_boltVisible = 0;
}
