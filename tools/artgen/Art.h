// Every drawing module of the art generator adds its sprites to sheets here.
#pragma once

#include "tools/artgen/SpriteSheet.h"

#include <string>
#include <vector>

namespace art {

void DrawActors(SpriteSheet& actors); // player, power-ups, particle images
void DrawInterface(SpriteSheet& ui, SpriteSheet& underline, SpriteSheet& book,
                   content::Image& orbGlow);
void DrawGround(std::vector<SpriteSheet>& patches); // one sheet per ground patch
void DrawProps(SpriteSheet& props);                 // nature and ruins
void DrawShrines(SpriteSheet& props);               // shrines, altar, lectern, statue, fires
void DrawFolk(SpriteSheet& props);                  // the wanderer, the keeper, fire pits
void DrawItems(SpriteSheet& items);                 // world sprites and inventory icons
// The editor's panel texture and slider knob, with their fixed layout.
void DrawEditorGui(content::Image& menu, content::Image& slider);
// The game's and the editor's desktop icons, at 48, 128 and 256 pixels.
bool WriteIcons(const std::string& folder);
// The four kinds of enemy in flight, from the particle descriptions in the
// folder `effects` (tools/psicompile/effects).
content::Image EnemyStrip(const std::vector<const SpriteSheet*>& sheets,
                          const std::string& effects);
// One labelled picture of every sprite, for reviewing the look, under the
// enemy strip when there is one.
content::Image ContactSheet(const std::vector<const SpriteSheet*>& sheets,
                            const content::Image& enemies);

} // namespace art
