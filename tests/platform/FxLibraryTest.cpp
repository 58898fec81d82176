// Effects files: folders, loading, duplicates, refusal of bad files, atlases.
#include "tests/platform/FxTestFixture.h"

#include <algorithm>
#include <sstream>

namespace {

int CountLines(const std::string& text, const std::string& needle) {
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        count += line.find(needle) != std::string::npos ? 1 : 0;
    }
    return count;
}

} // namespace

TEST_F(FxTest, ListsFoldersAndEmittersAndWalksBackUp) {
    FxHandle file = Open();
    std::vector<std::string> seen;
    FxSearchRecord record;
    for (int found = Fx_FindFirst(file, &record, FX_FIND_EMITTERS | FX_FIND_FOLDERS);
         found == FX_OK; found = Fx_FindNext(file, &record)) {
        seen.push_back((record.folder ? "folder " : "emitter ") + record.name);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"emitter Spark", "folder ambient"}));

    EXPECT_EQ(Fx_SetCurrentFolder(file, "ambient"), FX_OK);
    ASSERT_EQ(Fx_FindFirst(file, &record, FX_FIND_FOLDERS), FX_OK);
    EXPECT_EQ(record.name, "deep"); // the emitter before it is skipped by the mode
    EXPECT_EQ(Fx_FindNext(file, &record), FX_FAIL);

    EXPECT_EQ(Fx_SetCurrentFolder(file, "nowhere"), FX_FAIL);
    EXPECT_EQ(Fx_SetCurrentFolder(file, "deep"), FX_OK);
    EXPECT_EQ(Fx_SetCurrentFolder(file, ".."), FX_OK);
    EXPECT_EQ(Fx_SetCurrentFolder(file, ".."), FX_OK);
    EXPECT_EQ(Fx_SetCurrentFolder(file, ".."), FX_FAIL); // already at the root
    FxHandle emitter = 0;
    EXPECT_EQ(Fx_LoadEmitter(file, "Mist", &emitter), FX_FAIL); // Mist is not in the root
    EXPECT_EQ(emitter, 0u);
}

TEST_F(FxTest, LoadedEmittersHaveNamesSubEmittersAndIndependentDuplicates) {
    FxHandle file = Open();
    FxHandle mist = Load(file, "ambient", "Mist");
    EXPECT_STREQ(Fx_GetEmitterName(mist), "Mist");
    ASSERT_EQ(Fx_GetEmitterCount(mist), 2);
    EXPECT_STREQ(Fx_GetEmitterName(Fx_GetEmitter(mist, 1)), "late");
    EXPECT_EQ(Fx_GetEmitter(mist, 2), 0u);
    FxHandle deep = Load(file, "ambient/deep", "Spark");
    EXPECT_EQ(Fx_GetUpdateTime(deep), 1.0f / 60); // the default step
    Fx_CloseAllFiles();
    EXPECT_EQ(Fx_SetCurrentFolder(file, ""), FX_FAIL);

    // Emitters outlive their file; a duplicate plays on its own.
    FxHandle copy = Fx_DuplicateEmitter(mist);
    ASSERT_NE(copy, 0u);
    EXPECT_NE(copy, mist);
    Fx_SetEmitterPosition(copy, 50, 60);
    EXPECT_EQ(Fx_GetEmitterPosition(mist).x, 0);
    Fx_Restart(copy);
    EXPECT_TRUE(Fx_Update(copy, 0.1f));
    EXPECT_GT(Fx_GetParticleCount(copy), 0);
    EXPECT_EQ(Fx_GetParticleCount(mist), 0);

    Fx_UnloadEmitter(copy);
    EXPECT_STREQ(Fx_GetEmitterName(copy), "");
    EXPECT_FALSE(Fx_Update(copy, 0.1f));
    EXPECT_EQ(Fx_GetEmitterCount(copy), 0);
    Fx_UnloadEmitter(copy); // twice is harmless
    EXPECT_STREQ(Fx_GetEmitterName(mist), "Mist");
    EXPECT_EQ(Fx_GetLiveEmitterCount(), 2);
}

TEST_F(FxTest, BadFilesGiveNoEmittersAndOneLogLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"missing", ""},
        {"not xml", "<effects><emitter name='a'>"},
        {"wrong root", "<particles/>"},
        {"bad number", "<effects><emitter name='a' length='soon'/></effects>"},
        {"nameless emitter", "<effects><folder name='f'><emitter/></folder></effects>"},
        {"bad colour", "<effects><emitter name='a'><type><color><key t='0' c='red'/>"
                       "</color></type></emitter></effects>"},
        {"texture without size", "<effects><emitter name='a'><type><textures>"
                                 "<texture file='no-such.png'/></textures></type></emitter>"
                                 "</effects>"},
    };
    for (const auto& [what, text] : cases) {
        std::string path = what == "missing" ? m_dir + "/absent.fxd" : Write("bad.fxd", text);
        std::string before = m_engine.ReadLog();
        FxHandle file = 7;
        EXPECT_EQ(Fx_OpenFile(path.c_str(), &file), FX_FAIL) << what;
        EXPECT_EQ(file, 0u) << what;
        FxSearchRecord record;
        EXPECT_EQ(Fx_FindFirst(file, &record, 3), FX_FAIL) << what;
        std::string added = m_engine.ReadLog().substr(before.size());
        EXPECT_EQ(CountLines(added, ""), 1) << what << ": " << added; // that one line only
        EXPECT_EQ(CountLines(added, "Effects file"), 1) << what;
    }
    EXPECT_EQ(Fx_GetLiveEmitterCount(), 0);
}

TEST_F(FxTest, AtlasesHoldEveryTextureWithoutOverlap) {
    std::string text = "<effects>";
    // Frames of one type, shared images, a mirrored one and one too big for an atlas.
    for (int i = 0; i < 40; ++i) {
        int size = 64 + (i * 37) % 200;
        text += "<emitter name='e" + std::to_string(i) + "'><type><textures>";
        text += "<texture file='t" + std::to_string(i) + "a.png' width='" + std::to_string(size) +
                "' height='" + std::to_string(size / 2 + 8) + "'/>";
        text += "<texture file='t" + std::to_string(i) + "b.png' width='" + std::to_string(size) +
                "' height='" + std::to_string(size / 2 + 8) + "'/>";
        text += "</textures></type><type><textures><texture file='shared.png' width='32' "
                "height='32' flipx='" +
                std::to_string(i % 2) + "'/></textures></type></emitter>";
    }
    text += "<emitter name='huge'><type><textures><texture file='huge.png' width='3000' "
            "height='500'/></textures></type></emitter></effects>";
    FxHandle file = Open(text);
    std::vector<FxHandle> emitters;
    FxSearchRecord record;
    for (int found = Fx_FindFirst(file, &record, FX_FIND_EMITTERS); found == FX_OK;
         found = Fx_FindNext(file, &record)) {
        FxHandle emitter = 0;
        ASSERT_EQ(Fx_LoadEmitter(file, record.name.c_str(), &emitter), FX_OK);
        emitters.push_back(emitter);
    }
    ASSERT_EQ(Fx_CreateAtlases(1024, 1024, 1, 0.1f), FX_OK);
    EXPECT_GE(Fx_GetAtlasCount(), 2);

    struct Placed {
        int atlas, x, y, w, h;
    };
    std::vector<Placed> placed;
    for (FxHandle emitter : emitters) {
        FxHandle sub = Fx_GetEmitter(emitter, 0);
        for (int t = 0; t < Fx_GetParticlesTypeCount(sub); ++t) {
            FxParticleType* type = Fx_LockParticlesType(sub, t);
            ASSERT_GT(Fx_GetTextureCount(type), 0);
            for (int i = 0; i < Fx_GetTextureCount(type); ++i) {
                const FxTexture* texture = Fx_GetTexture(type, i);
                EXPECT_EQ(texture->atlas, Fx_GetTextureID(type)); // one atlas per type
                EXPECT_EQ(texture->textureWidth, 1024);
                Placed p{texture->atlas,
                         static_cast<int>(std::min(texture->left, texture->right) * 1024),
                         static_cast<int>(std::min(texture->top, texture->bottom) * 1024),
                         texture->frameWidth, texture->frameHeight};
                EXPECT_LE(p.x + p.w, 1024);
                EXPECT_LE(p.y + p.h, 1024);
                if (std::string(texture->file) == "shared.png") {
                    continue; // one place shared by every type naming it
                }
                if (std::string(texture->file) == "huge.png") {
                    EXPECT_LE(texture->frameWidth, 1024);
                    EXPECT_NEAR(texture->frameHeight * 3000.0 / texture->frameWidth, 500, 10);
                }
                placed.push_back(p);
            }
            Fx_UnlockParticlesType(type);
        }
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Placed& a = placed[i];
            const Placed& b = placed[j];
            bool apart = a.atlas != b.atlas || a.x + a.w <= b.x || b.x + b.w <= a.x ||
                         a.y + a.h <= b.y || b.y + b.h <= a.y;
            EXPECT_TRUE(apart) << i << " overlaps " << j;
        }
    }
}

TEST_F(FxTest, MirroredTexturesReportRightLeftOfLeft) {
    FxHandle file = Open("<effects><emitter name='m'><type><textures>"
                         "<texture file='x.png' width='16' height='16' flipx='1'/>"
                         "<texture file='y.png' width='16' height='16' flipy='1'/>"
                         "</textures></type></emitter></effects>");
    FxHandle emitter = Load(file, "", "m");
    FxParticleType* type = Fx_LockParticlesType(Fx_GetEmitter(emitter, 0), 0);
    EXPECT_EQ(Fx_GetTextureCount(type), 0); // nothing to draw before the layout
    Fx_CreateAtlases(1024, 1024, 1, 0.1f);
    ASSERT_EQ(Fx_GetTextureCount(type), 2);
    const FxTexture* x = Fx_GetTexture(type, 0);
    const FxTexture* y = Fx_GetTexture(type, 1);
    EXPECT_LT(x->right, x->left);
    EXPECT_LT(x->top, x->bottom);
    EXPECT_LT(y->bottom, y->top);
    EXPECT_EQ(x->frameWidth, 16);
    Fx_UnlockParticlesType(type);
}
