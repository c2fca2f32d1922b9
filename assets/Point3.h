// A point or vector of three 32-bit floats, passed by value.
#pragma once

struct Point3 {
  float x = 0;
  float y = 0;
  float z = 0;
};
