// The images a backend draws for the pictures the forms name (an icon button's
// Picture(): "folder", "new"...). Backends only: the system names pictures and never
// loads them.
//
// They live in the resources folder beside the platform library, one PNG file per
// picture and resolution: pictures/NAME.png at 16 × 16 pixels for the standard 96 dots
// per inch, pictures/NAME@2x.png at 32 × 32 for twice that.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/toolkit/twips.h"

namespace platform::toolkit {

// The resources folder beside the platform library.
std::filesystem::path ResourceFolder();

// The image of a picture to draw at a logical resolution: the double-size one from 1.5
// times the standard resolution on, when there is one. nullopt for a name no image
// is drawn for (an empty name, a name that is not a plain file name).
std::optional<std::filesystem::path> PictureFile(std::string_view picture, int32_t dpi = kStandardDpi,
                                                 const std::filesystem::path& resources = ResourceFolder());

}  // namespace platform::toolkit
