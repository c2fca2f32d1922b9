// Two half-size textures the glow's quarter-size passes can draw into directly, each in turn,
// instead of drawing into the frame's lower-left corner and copying that out after every pass.
#pragma once
#include "platform/Gl.h"

struct HalfTargets {
  GLuint texture[2] = {};
  GLuint framebuffer[2] = {};  // 0 where the texture cannot be drawn into
  bool ready = false;
};

// Framebuffer objects around the two textures; not ready where the extension string lacks
// framebuffer objects or either is incomplete (the glow then copies as written).
HalfTargets CreateHalfTargets(const char* extensions, GLuint first, GLuint second);
// The framebuffer objects only: the textures stay their owner's.
void DeleteHalfTargets(HalfTargets& targets);
// Draws into texture[index] from now on (its size is the viewport's business).
void DrawIntoHalfTarget(const HalfTargets& targets, int index);
// The outside framebuffer's lower-left width x height, shrunk by half with linear filtering into
// texture[index], which stays bound for drawing. Call after DrawIntoHalfTarget(targets, index).
void ShrinkIntoHalfTarget(const HalfTargets& targets, int index, int width, int height);
// Draws into the framebuffer that was bound before the first DrawIntoHalfTarget.
void DrawIntoOutside();
