// Lays particle images out on atlases of one size. The images of one
// particle type always share an atlas (a type draws from one texture);
// types naming the same images share their places. An image too big for an
// atlas is shrunk in steps until it fits.
#pragma once

#include "platform/fx/FxDefinition.h"

#include <vector>

class FxAtlasLayout {
public:
    FxAtlasLayout(int width, int height, int gap, float scaleStep);

    // Places every texture of the types and fills in their layouts and
    // texture ids. Returns the number of atlases used.
    int Place(const std::vector<FxTypeDef*>& types);

private:
    struct Shelf {
        int y, height, x;
    };
    struct Atlas {
        std::vector<Shelf> shelves;
        int used = 0; // height taken by shelves
    };
    struct Rect {
        int x, y, w, h;
    };

    bool Fit(Atlas& atlas, int w, int h, Rect& out) const;
    bool PlaceGroup(const std::vector<FxTextureDef>& textures, float scale, int& atlasIndex,
                    std::vector<Rect>& rects);

    int m_width, m_height, m_gap;
    float m_scaleStep;
    std::vector<Atlas> m_atlases;
};
