#include "render/GlExtensions.h"

#include <cstring>

bool HasGlExtension(const char* extensions, const char* name) {
  if (!extensions || !name || !*name) return false;
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
    const bool startsWord = at == extensions || at[-1] == ' ';
    const bool endsWord = at[length] == '\0' || at[length] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}
