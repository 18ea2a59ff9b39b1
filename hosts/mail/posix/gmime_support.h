// GMime, started once for the process.
#pragma once

#include <gmime/gmime.h>

#include <string>

namespace mail {

void StartGMime();

// A GMime memory stream's bytes.
std::string BytesOf(GMimeStream* memoryStream);

}  // namespace mail
