// The bitmap font reader (".fnt"), its glyphs drawn and measured after.
// t.png is there for the Bitmap line to name.
#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.fnt", fuzz::AsText(data, size));
    Engine& engine = fuzz::TheEngine();
    BitmapFont font(name);
    font.SetScale(1.5f);
    engine.Gfx_BeginScene();
    font.Render(400, 300, BitmapFont::kCentre, "Duskmaw ?\n\x01\xff AB");
    font.printfb(10, 10, 60, 40, BitmapFont::kRight | BitmapFont::kBottom, "%s",
                 "a few words wrapped into a narrow box");
    engine.Gfx_EndScene();
    font.GetStringWidth("A\nBB\n");
    return 0;
}
