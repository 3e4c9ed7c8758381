#pragma once

// The lightning bolt: up to 64 branches of up to 64 points each, grown all at
// once and shown as a flash that fades with each step of the storm.

constexpr int kBoltBranches = 64;
constexpr int kBoltPoints = 64;

// Point j of branch i is g_boltPoints[j][i] (x, y, z).
extern float g_boltPoints[kBoltPoints][kBoltBranches][3];
// Index of each branch's newest point; -1 while the branch is empty.
extern int g_branchLength[kBoltBranches];
// Branches 0 (the trunk) to this index exist.
extern int g_lastBranch;
// Grey level the bolt is drawn in; the floor takes it while the bolt shows.
extern float g_flashBrightness;
// Non-zero from a growth until the flash has faded to 0.3.
extern int g_boltVisible;

// Discards the current bolt and grows a new one from (0, 0, 20) toward the
// viewer; the flash starts at full brightness.
void GrowBolt();

// One growth pass: every existing branch, including those forked during the
// pass, gains a point and may fork.
void ExtendBranches();

// True once the trunk has come down to z <= 0, or can grow no further.
bool BoltComplete();

// Draws every segment in the flash's grey. Needs a current OpenGL context.
void DrawBolt();

// Fades the flash by one step of the storm; at 0.3 the bolt is gone.
void FadeFlash();
