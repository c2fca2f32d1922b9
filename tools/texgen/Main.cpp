// vex-texgen OUTPUT_DIR [STEM...]: writes every texture (or only the named ones) as STEM.png.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/PngImage.h"
#include "tools/texgen/Textures.h"

namespace {

bool Wanted(const char* stem, int argc, char** argv) {
  if (argc <= 2) return true;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], stem) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vex-texgen OUTPUT_DIR [STEM...]\n");
    return 2;
  }
  const std::string directory = argv[1];
  int failures = 0;
  for (const TextureRecipe& recipe : kTextureRecipes) {
    if (!Wanted(recipe.stem, argc, argv)) continue;
    const PngImage image = ToImage(recipe.make());
    std::vector<uint8_t> bytes;
    std::string error;
    const std::string path = directory + "/" + recipe.stem + ".png";
    if (!EncodePng(image, bytes, error) || !WriteFileBytes(path, bytes)) {
      std::fprintf(stderr, "vex-texgen: cannot write %s %s\n", path.c_str(), error.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
