// A PNG file written from pixels: the encoder and the file write at the edge, one message out.
#pragma once
#include <string>

#include "platform/PngImage.h"

// False with a message in error when the image cannot be encoded or the file written.
bool WritePngFile(const std::string& path, const PngImage& image, std::string& error);
