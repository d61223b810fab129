#pragma once

#include "image.h"

#include <string>
#include <vector>

struct NamedImage {
    std::string fileName;
    Image image;
};

// The six sheet backgrounds (300 x 245) and the five ribbons of the bar button (53 x 32).
std::vector<NamedImage> MakeBackgroundSkins();
std::vector<NamedImage> MakeBarSkins();
