// Whether the renderer names an extension: the glow's shortcuts depend on several.
#pragma once

// True when the name appears as a whole word of the space-separated extension string.
bool HasGlExtension(const char* extensions, const char* name);
