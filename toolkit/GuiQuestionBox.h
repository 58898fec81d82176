// A program's own message box and question, drawn in its window with its
// font and the menu's buttons (as the editor's file chooser is), for a real
// window the desktop cannot show boxes in. Modal: while it is open it takes the
// frame's input; the answer comes in a later frame, through a callback.
#pragma once

#include "toolkit/GuiManager.h"
#include "toolkit/Sprite.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BitmapFont;

class GuiQuestionBox {
public:
    GuiQuestionBox(int screenWidth, int screenHeight);
    ~GuiQuestionBox();

    // The font and the menu texture with the buttons. Boxes asked before
    // (at start-up, before the fonts load) wait for it.
    void SetLook(BitmapFont* font, HTEXTURE buttons);
    // The engine's message boxes become this box's while it lives, when the
    // program draws its own (a real window).
    void TakeMessageBoxes();
    GuiQuestionBox(const GuiQuestionBox&) = delete;
    GuiQuestionBox& operator=(const GuiQuestionBox&) = delete;

    // answers: button labels, the first taken by Esc, the last by Enter.
    // A box asked while one is open waits its turn.
    void Ask(const std::string& title, const std::string& text, std::vector<std::string> answers,
             std::function<void(int)> answered);
    bool IsOpen() const { return !m_queue.empty(); }
    void Update();
    void Render();

private:
    struct Pending {
        std::string title;
        std::string text;
        std::vector<std::string> answers;
        std::function<void(int)> answered;
    };
    void Build();

    Engine* m_engine;
    BitmapFont* m_font = nullptr;
    HTEXTURE m_buttons = 0;
    bool m_takesMessages = false;
    Sprite m_fill;
    float m_centreX;
    float m_centreY;
    std::vector<Pending> m_queue;
    std::unique_ptr<GuiManager> m_gui;
};
