// A texture that particle images are copied into, numbered as the effects
// library numbers its atlases.
#pragma once

#include "platform/fx/Fx.h"

#include <string>

class FX_Atlas {
public:
    virtual ~FX_Atlas() = default;
    // Copies the described image (from its data, else from texture folder +
    // file name) into its place on the atlas.
    virtual void LoadTexture(const FxTexture* texture, const std::string& textureFolder) = 0;
};
