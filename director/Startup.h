// One-time start-up: textures, models, random tables, shared GL state, then the music.
#pragma once

void DemoStartup();
