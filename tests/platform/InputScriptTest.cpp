#include "platform/engine/InputScript.h"
#include "platform/engine/Engine.h"
#include "platform/engine/InputState.h"
#include "platform/engine/KeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>

TEST(InputScript, ParsesEveryEventKindAndSortsByFrame) {
    InputScriptResult r = ParseInputScript("# header\n"
                                           "\n"
                                           "5 key 0x57 down\n"
                                           "2 mouse 10 20.5\n"
                                           "2 key 65 up\n"
                                           "3 wheel 1\n"
                                           "3 char x\n"
                                           "3 char 0x20\n"
                                           "4 dialog maps/my map.xml\n"
                                           "4 dialog cancel\n"
                                           "6 dt 0.5\n"
                                           "7 quit # bye\n");
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.events.size(), 10u);
    EXPECT_EQ(r.events[0].kind, InputEvent::Kind::Mouse);
    EXPECT_FLOAT_EQ(r.events[0].y, 20.5f);
    EXPECT_EQ(r.events[1].key, 65); // stable within frame 2
    EXPECT_FALSE(r.events[1].down);
    EXPECT_EQ(r.events[3].ch, 'x');
    EXPECT_EQ(r.events[4].ch, ' ');
    EXPECT_EQ(r.events[5].path, "maps/my map.xml");
    EXPECT_TRUE(r.events[6].cancel);
    EXPECT_EQ(r.events[7].key, 0x57);
    EXPECT_DOUBLE_EQ(r.events[8].dt, 0.5);
    EXPECT_EQ(r.events[9].kind, InputEvent::Kind::Quit);
}

TEST(InputScript, ReportsTheFirstBadLine) {
    const char* bad[] = {"1 key 0x57 sideways\n", "x key 1 down\n", "1 mouse 3\n",
                         "1 key 300 down\n",      "-1 quit\n",      "1 fly\n",
                         "1 char abc\n"};
    for (const char* text : bad) {
        InputScriptResult r = ParseInputScript(std::string("0 quit\n# ok\n") + text);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.line, 3) << text;
        EXPECT_TRUE(r.events.empty());
    }
}

TEST(InputScript, FormattedEventsReadBackTheSame) {
    InputScriptResult r = ParseInputScript("1 key 0x31 down\n1 char 0x35\n2 mouse 1.25 3\n"
                                           "2 dt 0.016666666666666666\n3 dialog a b.xml\n");
    ASSERT_TRUE(r.ok);
    std::string text;
    for (const InputEvent& e : r.events) {
        text += FormatInputEvent(e) + "\n";
    }
    InputScriptResult again = ParseInputScript(text);
    ASSERT_TRUE(again.ok) << again.error;
    ASSERT_EQ(again.events.size(), r.events.size());
    EXPECT_EQ(again.events[1].ch, '5');
    EXPECT_DOUBLE_EQ(again.events[3].dt, r.events[3].dt);
    EXPECT_EQ(again.events[4].path, "a b.xml");
}

TEST(InputState, KeyOfTheFrameHeldWentDownWentUp) {
    InputState s;
    auto key = [](int k, bool down) {
        InputEvent e;
        e.kind = InputEvent::Kind::Key;
        e.key = k;
        e.down = down;
        return e;
    };
    s.BeginFrame();
    s.Apply(key('A', true));
    s.Apply(key('B', true));
    EXPECT_EQ(s.Key(), 'A');
    EXPECT_TRUE(s.KeyDown('B') && s.KeyState('B'));
    s.BeginFrame();
    s.Apply(key('A', true)); // repeat while held: not a new press
    EXPECT_EQ(s.Key(), 0);
    EXPECT_TRUE(s.KeyState('A') && !s.KeyDown('A'));
    s.Apply(key('A', false));
    EXPECT_TRUE(s.KeyUp('A') && !s.KeyState('A'));
    s.BeginFrame();
    EXPECT_FALSE(s.KeyUp('A'));
    s.ReleaseAll();
    EXPECT_TRUE(s.KeyUp('B') && !s.KeyState('B'));
    EXPECT_FALSE(s.KeyState(0) || s.KeyState(300) || s.KeyState(-1));
}

TEST(KeyMap, WindowKeysBecomeVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_w), 'W');
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_q), 'Q');
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_1), '1');
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_SPACE), 0x20);
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_DELETE), 0x2E);
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_RCTRL), 0x11);
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_LEFT), 0x25);
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_DOWN), 0x28);
    EXPECT_EQ(VirtualKeyFromSdlKeycode(SDLK_CAPSLOCK), 0);
    EXPECT_EQ(VirtualKeyFromSdlMouseButton(SDL_BUTTON_LEFT), 0x01);
    EXPECT_EQ(VirtualKeyFromSdlMouseButton(SDL_BUTTON_RIGHT), 0x02);
    EXPECT_EQ(VirtualKeyFromSdlMouseButton(SDL_BUTTON_MIDDLE), 0x04);
}

TEST(KeyMap, GameKeysAreReadByTheirPlaceOnTheKeyboard) {
    // The places of the game's keys, named as on a US keyboard.
    const std::pair<SDL_Scancode, int> places[] = {
        {SDL_SCANCODE_W, 'W'},      {SDL_SCANCODE_A, 'A'},     {SDL_SCANCODE_S, 'S'},
        {SDL_SCANCODE_D, 'D'},      {SDL_SCANCODE_Q, 'Q'},     {SDL_SCANCODE_1, '1'},
        {SDL_SCANCODE_5, '5'},      {SDL_SCANCODE_0, '0'},     {SDL_SCANCODE_I, 'I'},
        {SDL_SCANCODE_P, 'P'},      {SDL_SCANCODE_V, 'V'},     {SDL_SCANCODE_B, 'B'},
        {SDL_SCANCODE_L, 'L'},      {SDL_SCANCODE_M, 'M'},     {SDL_SCANCODE_G, 'G'},
        {SDL_SCANCODE_SPACE, 0x20}, {SDL_SCANCODE_LEFT, 0x25}, {SDL_SCANCODE_UP, 0x26},
        {SDL_SCANCODE_RIGHT, 0x27}, {SDL_SCANCODE_DOWN, 0x28}, {SDL_SCANCODE_ESCAPE, 0x1B},
        {SDL_SCANCODE_F5, 0x74},    {SDL_SCANCODE_CAPSLOCK, 0}};
    for (const auto& [scancode, vk] : places) {
        EXPECT_EQ(VirtualKeyFromSdlScancode(scancode), vk) << SDL_GetScancodeName(scancode);
    }
    // On a French keyboard the key left of S prints Q and the one above it Z;
    // the 1 key types '&'. All three still read as where they are.
    KeyTranslator keys;
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_A, SDLK_q, true, false), 'A');
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_W, SDLK_z, true, false), 'W');
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_1, SDLK_AMPERSAND, true, false), '1');
}

TEST(KeyMap, CtrlShortcutsFollowTheLayoutsLettersAndReleasesMatchTheirPress) {
    // German keyboards swap Y and Z: Ctrl+Z undoes on the key printed Z.
    KeyTranslator keys;
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_Y, SDLK_z, true, true), 'Z');
    // Ctrl let go before the key: the release is still the Z pressed.
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_Y, SDLK_z, false, false), 'Z');
    // Pressed without Ctrl and released with it: the place, both times.
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_Y, SDLK_z, true, false), 'Y');
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_Y, SDLK_z, false, true), 'Y');
    // Ctrl with a key that is no letter keeps its place.
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_UP, SDLK_UP, true, true), 0x26);
    EXPECT_EQ(keys.Translate(SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, true, true), 0);
}

TEST(InputScript, PadEventsReadByNameAndWriteBackTheSame) {
    const std::string text = "3 pad add\n3 pad button leftshoulder down\n"
                             "4 pad axis righttrigger 0.5\n5 pad remove";
    InputScriptResult r = ParseInputScript(text);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.events.size(), 4u);
    EXPECT_EQ(r.events[1].key, PAD_LEFTSHOULDER);
    EXPECT_EQ(r.events[2].key, PAD_RIGHTTRIGGER);
    std::string written;
    for (const InputEvent& e : r.events) {
        if (!written.empty()) {
            written += '\n';
        }
        written += FormatInputEvent(e);
    }
    EXPECT_EQ(written, text);
    for (const char* bad : {"1 pad button z down", "1 pad axis leftx 2", "1 pad plug"}) {
        EXPECT_FALSE(ParseInputScript(bad).ok) << bad;
    }
}
