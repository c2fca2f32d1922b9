// How the screen-space passes are drawn. Both modes give the same pixels: the shortcuts skip
// passes that change no pixel and merge or simplify passes where the result is exact; the
// plain mode draws every pass as written, so tests can hold the shortcuts against it.
#pragma once

enum class PassMode { shortcuts, plain };
